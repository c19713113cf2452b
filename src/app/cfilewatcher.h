#pragma once

#include "filepaths.h"
#include "idocobserver.h"

#include <QObject>

#include <functional>
#include <map>
#include <string>

class CVireoDoc;
class QFileSystemWatcher;
class QTimer;
class QWidget;

// Watches the files of the open cockpit on disk. When the template or a buffer's picture
// changes (also when an image editor replaces it by renaming a new file over it), the
// pictures are read again and the views redrawn; that is not an edit. When the cockpit file
// itself changes, the user is asked whether to reload it.
class CFileWatcher : public QObject, public IDocObserver
{
public:
    // Asked when the cockpit file changed on disk; true to reload it. modified says that the
    // open cockpit has unsaved changes, which a reload would lose.
    using ReloadQuestion = std::function<bool(const std::string& path, bool modified)>;
    // Reopens the cockpit file, as Open does (without asking about the changes again).
    using ReloadHandler = std::function<bool(const std::string& path)>;

    // dialogParent carries the default question box.
    CFileWatcher(CVireoDoc* doc, QWidget* dialogParent);
    ~CFileWatcher() override;

    void SetReloadQuestion(ReloadQuestion fn) { m_fnQuestion = std::move(fn); }
    void SetReloadHandler(ReloadHandler fn) { m_fnReload = std::move(fn); }

    // The cockpit was written by this editor: its new state on disk is not a change.
    void CockpitSaved();
    // The files watched now: the cockpit file first when it has one, then the pictures.
    std::vector<std::string> WatchedFiles() const;

    void OnUpdate(IDocObserver*, Hint, CCPObject*) override;
    void OnInitialUpdate() override;

private:
    // What a file looks like on disk; any difference is a change.
    using Stamp = CFileStamp;
    struct Entry
    {
        bool cockpit = false;
        Stamp known; // what the open cockpit was read from
        Stamp seen;  // at the last look; a change is taken once it holds still
    };

    static Stamp Look(const std::string& path);
    // Brings the list of files up to date with the cockpit; keeps what is known of old ones.
    void Sync();
    void Scan();
    void AskReload(const std::string& path);
    void Rewatch();

    CVireoDoc* m_pDoc;
    QWidget* m_pParent;
    QFileSystemWatcher* m_pWatcher;
    QTimer* m_pScanTimer; // waits for a burst of writes to end
    QTimer* m_pSyncTimer; // edits may name other pictures; looked at once they settle
    std::map<std::string, Entry> m_mapFiles;
    std::string m_strPendingCockpit; // changed while a dialog was open: asked afterwards
    bool m_bAsking = false;
    // Pictures changed while a dialog was open (one that reports a bad picture among them):
    // read again when it has closed, so boxes never stack.
    bool m_bPicturesPending = false;
    ReloadQuestion m_fnQuestion;
    ReloadHandler m_fnReload;
};
