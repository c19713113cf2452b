#include "cbopage.h"

#include "ccpobject.h"
#include "cdialogrunner.h"
#include "textconvert.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
// The comment is kept with CR LF line ends; the edit shows plain lines.
QString CommentToQt(const std::string& comment)
{
    return Latin1ToQt(comment).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The record's name rules work on bytes with CR LF line ends. UTF-8 carries characters the file
// cannot hold through them as far as OK, which refuses them by name.
std::string EditToBytes(const QString& text)
{
    QString crlf = text;
    return crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString();
}

QString BytesToEdit(const std::string& bytes)
{
    return QString::fromStdString(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The name the record will have after OK, which ends the comment's last line.
QString NameInComment(const QString& comment)
{
    std::string bytes = EditToBytes(comment);
    if (!bytes.empty() && bytes.back() != '\n')
        bytes += "\r\n";
    std::string name;
    CCPObject::FindName(bytes, name);
    return QString::fromStdString(name);
}
} // namespace

CBOPage::CBOPage(QWidget* parent) : CCPPage(QStringLiteral("Basic Properties"), parent)
{
    QLineEdit* id = m_dx.Int(m_nRecordId, QStringLiteral("ID"));
    id->setMaximumWidth(120);

    m_pName = new QLineEdit;
    m_pName->setObjectName(QStringLiteral("Name"));
    m_pName->setMinimumWidth(260);
    m_pName->setToolTip(QStringLiteral("The name the tree shows, kept in the comment's "
                                       "\"// Name:\" line"));
    connect(m_pName, &QLineEdit::textChanged, this, &CBOPage::OnNameEdited);
    m_dx.Custom(
        [] {},
        [this] {
            // Otherwise the comment names them, with the name line among its lines.
            const QString lost = m_bNameTyped ? CharsNotInLatin1(m_pName->text()) : QString();
            if (lost.isEmpty())
                return true;
            CDialogRunner::Message(this, NotInLatin1Message(QStringLiteral("The name"), lost));
            m_pName->setFocus();
            return false;
        });

    m_pComment = new QPlainTextEdit;
    m_pComment->setObjectName(QStringLiteral("Comment"));
    m_pComment->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pComment->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pComment->setMinimumSize(380, 180);
    m_pComment->setTabChangesFocus(true);
    connect(m_pComment, &QPlainTextEdit::textChanged, this, &CBOPage::OnCommentEdited);
    // Untouched text is left byte for byte as it was.
    auto shown = std::make_shared<QString>();
    m_dx.Custom(
        [this, shown] {
            m_pComment->setPlainText(CommentToQt(m_strText));
            // What the control made of it, which may differ (a lone CR becomes a line break).
            *shown = m_pComment->toPlainText();
        },
        [this, shown] {
            const QString text = m_pComment->toPlainText();
            if (text != *shown) {
                // Stored as Latin-1, other characters would silently become "?".
                const QString lost = CharsNotInLatin1(text);
                if (!lost.isEmpty()) {
                    CDialogRunner::Message(this,
                                           NotInLatin1Message(QStringLiteral("The comment"), lost));
                    m_pComment->setFocus();
                    return false;
                }
                QString crlf = text;
                m_strText = QtToLatin1(crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
                *shown = text;
            }
            return true;
        });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("ID"), id);
    form->addRow(QStringLiteral("Name"), m_pName);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Comment")));
    layout->addWidget(m_pComment, 1);
}

void CBOPage::SetRecord(CCPObject* record)
{
    m_pRecord = record;
    m_strText = record ? record->m_strComment : std::string();
    m_nRecordId = record ? record->m_nId : 0;
    // What the tree shows for a record without a name.
    m_pName->setPlaceholderText(
        record ? Latin1ToQt(record->GetTypeName() + ' ' + std::to_string(record->m_nId))
               : QString());
    UpdateData(false);
}

void CBOPage::OnCommentEdited()
{
    if (m_bSyncing)
        return;
    m_strBase = m_pComment->toPlainText();
    m_bNameTyped = false;
    m_bSyncing = true;
    m_pName->setText(NameInComment(m_strBase));
    m_bSyncing = false;
}

void CBOPage::OnNameEdited()
{
    if (m_bSyncing)
        return;
    // One line: a pasted line break would end the name line early.
    QString name = m_pName->text().trimmed();
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::string comment = EditToBytes(m_strBase);
    CCPObject::PutOnlyName(comment, name.toStdString());
    m_bNameTyped = true;
    m_bSyncing = true;
    m_pComment->setPlainText(BytesToEdit(comment));
    m_bSyncing = false;
}

bool CBOPage::Validate()
{
    size_t start = 0;
    while (start < m_strText.size()) {
        size_t end = m_strText.find('\n', start);
        if (end == std::string::npos)
            end = m_strText.size();
        if (m_strText[start] == '#') {
            std::string line = m_strText.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            CDialogRunner::Message(
                this,
                QStringLiteral("The comment line \"%1\" begins with \"#\", so the cockpit file "
                               "would read it back as a record header.\n"
                               "Please change or remove that line.")
                    .arg(Latin1ToQt(line)));
            m_pComment->setFocus();
            return false;
        }
        start = end + 1;
    }
    return true;
}

void CBOPage::OnOK()
{
    if (!m_pRecord)
        return;
    std::string text = m_strText;
    if (!text.empty() && (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0))
        text += "\r\n";
    m_pRecord->m_strComment = text;
    m_pRecord->m_nId = m_nRecordId;
}
