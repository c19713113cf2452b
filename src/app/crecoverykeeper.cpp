#include "crecoverykeeper.h"

#include "cvireodoc.h"
#include "filepaths.h"
#include "iframeprompts.h"
#include "iuserinterface.h"
#include "textconvert.h"

#include <QDateTime>
#include <QStandardPaths>

CRecoveryKeeper::CRecoveryKeeper(CVireoDoc& doc, IFramePrompts& prompts, std::string folder)
    : m_doc(doc), m_prompts(prompts), m_strFolder(std::move(folder)), m_journal(doc, m_strFolder)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kPauseMs);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { m_journal.Sync(); });
    m_doc.SetJournal(&m_journal);
    m_doc.AddObserver(this);
}

CRecoveryKeeper::~CRecoveryKeeper()
{
    m_doc.RemoveObserver(this);
    m_doc.SetJournal(nullptr);
}

std::string CRecoveryKeeper::DefaultFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // No data folder: nothing is journalled.
    if (data.isEmpty())
        return {};
    return PathToCore(data + QStringLiteral("/recovery"));
}

std::string CRecoveryKeeper::Question(const std::string& path, const CJournalContents& contents,
                                      bool changed)
{
    const QString name = PathFromCore(FileNameOf(path));
    const size_t count = contents.StepsDone();
    const QString changes = count == 1 ? QStringLiteral("1 unsaved change")
                                       : QStringLiteral("%1 unsaved changes").arg(count);
    const QDateTime when = QDateTime::fromSecsSinceEpoch(contents.LastTime());
    // Older than today: the date tells which session it was.
    const QString time = when.date() == QDate::currentDate()
                             ? when.toString(QStringLiteral("HH:mm"))
                             : when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const QString text =
        changed ? QStringLiteral("%1 has changed on disk since. Recover %2 to it from %3 as an "
                                 "unsaved copy?")
                      .arg(name, changes, time)
                : QStringLiteral("Recover %1 to %2 from %3?").arg(changes, name, time);
    return text.toUtf8().toStdString();
}

CRecoveryKeeper::Outcome CRecoveryKeeper::OfferRecovery(const std::string& path)
{
    if (m_strFolder.empty())
        return NotRecovered;
    const std::string file = CRecoveryJournal::JournalFileFor(m_strFolder, path);
    CJournalContents contents;
    if (!CRecoveryJournal::Read(file, contents))
        return NotRecovered;
    // Another cockpit's journal under the same name, or nothing left unsaved.
    if (contents.m_strPath != path)
        return NotRecovered;
    if (contents.StepsDone() == 0) {
        CRecoveryJournal::Remove(file);
        return NotRecovered;
    }
    const bool changed = !CJournalReplay::FileUnchanged(file, contents);
    if (m_prompts.AskRecover(Question(path, contents, changed)) != IFramePrompts::Yes) {
        CRecoveryJournal::Remove(file);
        return NotRecovered;
    }
    m_bRecovering = true;
    const CJournalReplay::Result result = CJournalReplay::Recover(m_doc, file, contents);
    m_bRecovering = false;
    switch (result) {
    case CJournalReplay::Applied:
        return Recovered;
    case CJournalReplay::AsCopy:
        if (m_strCopySource != file)
            ForgetCopySource();
        m_strCopySource = file;
        return RecoveredCopy;
    case CJournalReplay::NoBase:
        if (IUserInterface* ui = m_doc.GetUserInterface())
            ui->MessageBox(FileNameOf(path) +
                               " has changed on disk, and the copy of it the unsaved changes "
                               "were made to is gone: they cannot be recovered.",
                           IUserInterface::Exclamation);
        CRecoveryJournal::Remove(file);
        return NotRecovered;
    default:
        return Failed;
    }
}

void CRecoveryKeeper::ForgetCopySource()
{
    if (!m_strCopySource.empty())
        CRecoveryJournal::Remove(m_strCopySource);
    m_strCopySource.clear();
}

void CRecoveryKeeper::OnInitialUpdate()
{
    // Another cockpit replaced the recovered copy: the user gave it up.
    if (!m_bRecovering)
        ForgetCopySource();
}

void CRecoveryKeeper::Saved()
{
    ForgetCopySource();
}

void CRecoveryKeeper::Closing()
{
    m_timer.stop();
    m_journal.Discard();
    ForgetCopySource();
}
