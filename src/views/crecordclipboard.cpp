#include "crecordclipboard.h"

#include "textconvert.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace RecordClipboard {

namespace {
// The editor's own data: this line, then the text as the file holds it.
constexpr char kPanelLine[] = "panel ";
} // namespace

std::unique_ptr<QMimeData> MakeMimeData(const std::string& text, int panelId)
{
    auto data = std::make_unique<QMimeData>();
    QByteArray own = QByteArray(kPanelLine) + QByteArray::number(panelId) + '\n';
    own.append(text.data(), qsizetype(text.size()));
    data->setData(QString::fromLatin1(kMimeType), own);
    // A text editor gets plain line ends; the records read back the same either way.
    QString plain = Latin1ToQt(text);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    data->setText(plain);
    return data;
}

std::optional<CContent> ReadMimeData(const QMimeData* data, QString* refused)
{
    if (!data)
        return std::nullopt;
    const QString type = QString::fromLatin1(kMimeType);
    if (data->hasFormat(type)) {
        const QByteArray own = data->data(type);
        CContent content;
        qsizetype start = 0;
        if (own.startsWith(kPanelLine)) {
            const qsizetype from = qsizetype(sizeof kPanelLine) - 1;
            const qsizetype end = own.indexOf('\n');
            bool ok = false;
            const int id = (end < 0 ? own.mid(from) : own.mid(from, end - from)).toInt(&ok);
            if (ok)
                content.panel = id;
            start = end < 0 ? own.size() : end + 1;
        }
        content.text.assign(own.constData() + start, size_t(own.size() - start));
        return content;
    }
    if (!data->hasText())
        return std::nullopt;
    const QString text = data->text();
    // The file holds one byte per character: text it cannot hold is refused, not pasted
    // with "?" in its place.
    if (const QString chars = CharsNotInLatin1(text); !chars.isEmpty()) {
        if (refused)
            *refused = chars;
        return std::nullopt;
    }
    return CContent{QtToLatin1(text), std::nullopt};
}

void Put(const std::string& text, int panelId)
{
    QGuiApplication::clipboard()->setMimeData(MakeMimeData(text, panelId).release());
}

bool HasContent()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && (data->hasFormat(QString::fromLatin1(kMimeType)) || data->hasText());
}

std::optional<CContent> Get(QString* refused)
{
    return ReadMimeData(QGuiApplication::clipboard()->mimeData(), refused);
}

} // namespace RecordClipboard
