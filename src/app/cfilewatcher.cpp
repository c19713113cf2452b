#include "cfilewatcher.h"

#include "ccpbuffer.h"
#include "cvireodoc.h"
#include "filepaths.h"
#include "textconvert.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QMessageBox>
#include <QSet>
#include <QTimer>
#include <QWidget>

namespace {
// A change is acted on once the file has looked the same for this long.
constexpr int kSettleMs = 200;
constexpr int kSyncMs = 300;
constexpr int kRetryMs = 500;

QString Native(const std::string& path)
{
    return PathFromCore(path);
}
} // namespace

CFileWatcher::CFileWatcher(CVireoDoc* doc, QWidget* dialogParent)
    : m_pDoc(doc), m_pParent(dialogParent), m_pWatcher(new QFileSystemWatcher(this)),
      m_pScanTimer(new QTimer(this)), m_pSyncTimer(new QTimer(this))
{
    m_pScanTimer->setSingleShot(true);
    connect(m_pScanTimer, &QTimer::timeout, this, &CFileWatcher::Scan);
    m_pSyncTimer->setSingleShot(true);
    m_pSyncTimer->setInterval(kSyncMs);
    connect(m_pSyncTimer, &QTimer::timeout, this, &CFileWatcher::Sync);
    // A file or a folder holding one changed: look at all of them once things are quiet.
    auto changed = [this] { m_pScanTimer->start(kSettleMs); };
    connect(m_pWatcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(m_pWatcher, &QFileSystemWatcher::directoryChanged, this, changed);

    m_fnQuestion = [this](const std::string& path, bool modified) {
        QString text =
            QStringLiteral("%1\n\nThis file has been changed by another program. Reload it?")
                .arg(Native(path));
        if (modified)
            text += QStringLiteral("\n\nYour unsaved changes would be lost.");
        const auto no = QMessageBox::No, yes = QMessageBox::Yes;
        return QMessageBox::question(m_pParent, QStringLiteral("Vireo"), text, yes | no,
                                     modified ? no : yes) == yes;
    };
    m_pDoc->AddObserver(this);
}

CFileWatcher::~CFileWatcher()
{
    m_pDoc->RemoveObserver(this);
}

CFileWatcher::Stamp CFileWatcher::Look(const std::string& path)
{
    return StampOf(path);
}

std::vector<std::string> CFileWatcher::WatchedFiles() const
{
    std::vector<std::string> files;
    for (const auto& [path, entry] : m_mapFiles)
        if (entry.cockpit)
            files.insert(files.begin(), path);
        else
            files.push_back(path);
    return files;
}

void CFileWatcher::OnInitialUpdate()
{
    // Another cockpit, or this one read again: what is on disk now is what it was read from.
    m_mapFiles.clear();
    m_strPendingCockpit.clear();
    Sync();
}

void CFileWatcher::OnUpdate(IDocObserver*, Hint, CCPObject*)
{
    m_pSyncTimer->start();
}

void CFileWatcher::CockpitSaved()
{
    Sync();
    const std::string& path = m_pDoc->GetPathName();
    auto it = m_mapFiles.find(path);
    if (it != m_mapFiles.end())
        it->second.known = it->second.seen = Look(path);
    Rewatch();
}

void CFileWatcher::Sync()
{
    std::map<std::string, bool> wanted; // path, is the cockpit
    const CCPManager& m = m_pDoc->m_manager;
    // A name that names no file is not watched.
    if (!m.m_strTemplateFile.empty() && !NamesNoFile(m.m_strTemplateFile))
        wanted[m.FullPath(m.m_strTemplateFile)] = false;
    for (const CCPBuffer* buffer : m.BuffersInUse())
        if (!buffer->m_strFile.empty() && !buffer->m_strPath.empty())
            wanted[buffer->m_strPath] = false;
    if (!m_pDoc->GetPathName().empty())
        wanted[m_pDoc->GetPathName()] = true;

    for (auto it = m_mapFiles.begin(); it != m_mapFiles.end();)
        it = wanted.count(it->first) ? std::next(it) : m_mapFiles.erase(it);
    for (const auto& [path, cockpit] : wanted) {
        auto [it, added] = m_mapFiles.try_emplace(path);
        if (added)
            it->second.known = it->second.seen = Look(path);
        it->second.cockpit = cockpit;
    }
    Rewatch();
}

void CFileWatcher::Rewatch()
{
    // A file replaced by a rename drops out of the watch; its folder tells when it is back.
    QSet<QString> wanted;
    for (const auto& [path, entry] : m_mapFiles) {
        wanted.insert(Native(FolderOf(path).empty() ? std::string(".") : FolderOf(path)));
        if (entry.seen.exists)
            wanted.insert(Native(path));
    }
    const QStringList watched = m_pWatcher->files() + m_pWatcher->directories();
    QStringList stale;
    for (const QString& p : watched)
        if (!wanted.contains(p))
            stale << p;
    if (!stale.isEmpty())
        m_pWatcher->removePaths(stale);
    const QSet<QString> have(watched.begin(), watched.end());
    QStringList add;
    for (const QString& p : wanted)
        if (!have.contains(p))
            add << p;
    if (!add.isEmpty())
        m_pWatcher->addPaths(add);
}

void CFileWatcher::Scan()
{
    bool pictures = false, settling = false;
    std::string cockpit;
    for (auto& [path, entry] : m_mapFiles) {
        const Stamp now = Look(path);
        if (now == entry.known) {
            entry.seen = now;
            continue;
        }
        if (!(now == entry.seen)) {
            // Still being written, or just replaced: look again once it holds still.
            entry.seen = now;
            settling = true;
            continue;
        }
        if (!now.exists)
            continue; // gone for now; read again when it comes back
        entry.known = now;
        if (entry.cockpit)
            cockpit = path;
        else
            pictures = true;
    }
    Rewatch();
    if (settling)
        m_pScanTimer->start(kSettleMs);
    if (pictures || m_bPicturesPending) {
        if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
            m_bPicturesPending = true;
            m_pScanTimer->start(kRetryMs);
        } else {
            m_bPicturesPending = false;
            m_pDoc->Refresh();
        }
    }
    if (!cockpit.empty())
        AskReload(cockpit);
    else if (!m_strPendingCockpit.empty())
        AskReload(m_strPendingCockpit);
}

void CFileWatcher::AskReload(const std::string& path)
{
    if (m_bAsking)
        return;
    // Not over a sheet or another question: asked when that has closed.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        m_strPendingCockpit = path;
        m_pScanTimer->start(kRetryMs);
        return;
    }
    m_strPendingCockpit.clear();
    if (path != m_pDoc->GetPathName() || !m_fnQuestion)
        return;
    m_bAsking = true;
    const bool reload = m_fnQuestion(path, m_pDoc->IsModified());
    m_bAsking = false;
    if (reload && m_fnReload)
        m_fnReload(path);
}
