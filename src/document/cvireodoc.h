#pragma once

#include "ccpmanager.h"
#include "idocobserver.h"

#include <memory>
#include <string>
#include <vector>

class CCPBuffer;
class CCPPanel;
class CFileReader;
class CLineReader;
class IUserInterface;

// The one open cockpit: its records (through the manager), the selection every view shows,
// loading and saving, and the editing operations.
class CVireoDoc
{
public:
    std::string m_strFolder;
    CCPPanel* m_pCurrentPanel = nullptr;
    CCPObject* m_pCurrentObject = nullptr;
    CCPManager m_manager;
    int m_nLineCount = 0;
    CCPBuffer* m_pLastBuffer = nullptr;

    CVireoDoc();
    ~CVireoDoc();

    void SetUserInterface(IUserInterface* ui);
    IUserInterface* GetUserInterface() const { return m_pUI; }
    // Where Open reads files from; null reads them from disk.
    void SetFileReader(CFileReader* reader) { m_pFileReader = reader; }

    bool OnNewDocument();
    // False, with "Failed to open document." and the cause shown and the current cockpit kept,
    // when the file cannot be read whole (not a regular file, above kMaxCockpitBytes, a read
    // error part way).
    bool OnOpenDocument(const std::string& path);
    // Quick check first; false when the user declined to save or the file could not be
    // written (the old file is then left as it was).
    bool OnSaveDocument(const std::string& path);
    void OnCheckCockpit();

    // The loading and storing directions of the whole cockpit.
    void Load(const std::string& text);
    std::string Store();
    void ParseRecord(std::string_view line, CLineReader& ar, const std::string& comment);

    void SetCurrentPanel(CCPPanel* panel);
    void SetCurrentObject(CCPObject* record);

    bool InsertObject(std::unique_ptr<CCPObject> record, bool edit);
    bool NewObject();
    bool NewPanel();
    bool NewSound();
    bool NewButton();
    std::unique_ptr<CCPObject> CloneObject(CCPObject* record);
    bool DuplicateObject(CCPObject* record);
    void RemoveObject(CCPObject* record, CCPPanel* panel);
    void Refresh();

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path) { m_strPathName = path; }

    void AddObserver(IDocObserver* observer);
    void RemoveObserver(IDocObserver* observer);
    void UpdateAllViews(IDocObserver* sender, int hint, CCPObject* record = nullptr);

private:
    void ScreenSizeFromName(const std::string& fileName);
    void Reset();
    void InitialUpdate();

    IUserInterface* m_pUI = nullptr;
    CFileReader* m_pFileReader = nullptr;
    std::vector<IDocObserver*> m_aObservers;
    bool m_bModified = false;
    std::string m_strPathName;
};
