#pragma once

#include "cbitmap.h"
#include "ccprecord.h"
#include "cidtable.h"
#include "filepaths.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CCPBuffer;
class CCPButton;
class CCPButtonView;
class CCPPanel;
class CCPSound;
class CCPSurface;
class IEditRecorder;
class IImageLoader;
class IRecordEditor;
class IUserInterface;
enum class RecordList : int;

// The buttons the full check asks every cockpit for: the ICP's initial primary and tertiary
// buttons.
constexpr int kIcpPrimaryButton = 1013;
constexpr int kIcpTertiaryButton = 1011;

// The message shown when a picture file cannot be read.
std::string ImageErrorText(const std::string& path);

// The manager's own settings: what its property sheet edits and an undo step keeps.
struct CManagerSettings
{
    std::array<int, 2> m_nCockpit2d{1196, 1197};
    int m_nScreenWidth = 1024;
    int m_nScreenHeight = 768;
    int m_nMouseBorder = 0;
    int m_nDedFont = 0;
    int m_nHudFont = 0;
    int m_nMfdFont = 0;
    int m_nPopupFont = 0;
    int m_nSaBoxFont = 0;
    int m_nKneeFont = 0;
    int m_nGeneralFont = 0;
    int m_nLabelFont = 0;
    int m_nTemplateWidth = 0;
    int m_nTemplateHeight = 0;
    std::string m_strTemplateFile;
    bool m_bDoGeometry = false;
    CRect m_rcHud;
    CRect m_rcRwr;
    CRect m_rcMfdLeft;
    CRect m_rcMfdRight;
};

// The MANAGER record (cockpit-wide settings and the template image) and the owner of every
// other record of the cockpit, one list per family, in file order.
class CCPManager : public CCPTypedRecord<CCPManager>, public CManagerSettings
{
public:
    CBitmap m_bmpTemplate;
    std::vector<std::unique_ptr<CCPButtonView>> m_aButtonViews;
    std::vector<std::unique_ptr<CCPSound>> m_aSounds;
    std::vector<std::unique_ptr<CCPButton>> m_aButtons;
    std::vector<std::unique_ptr<CCPPanel>> m_aPanels;
    std::vector<std::unique_ptr<CCPSurface>> m_aSurfaces;
    std::vector<std::unique_ptr<CCPBuffer>> m_aBuffers;
    std::vector<std::unique_ptr<CCPObject>> m_aObjects;
    std::vector<std::string> m_astrLeftovers;

    CCPManager();
    ~CCPManager() override;

    // Platform services; any of them may be null (nothing shown, nothing loaded, no sheet).
    void SetUserInterface(IUserInterface* ui) { m_pUI = ui; }
    void SetEditor(IRecordEditor* editor) { m_pEditor = editor; }
    void SetImageLoader(IImageLoader* loader) { m_pImageLoader = loader; }
    IUserInterface* GetUserInterface() const { return m_pUI; }
    IRecordEditor* GetEditor() const { return m_pEditor; }
    void MessageBox(const std::string& text) const;

    // The decoded pictures of the cockpit (template and buffer pictures) together stay under
    // this many bytes; a picture that would pass it is not loaded, and the user is told.
    static constexpr uint64_t kDefaultPictureBudget = uint64_t(1) << 30;
    void SetPictureBudget(uint64_t bytes) { m_nPictureBudget = bytes; }
    // Bytes the decoded pictures in use take now.
    uint64_t PictureBytesInUse() const;
    // The picture of a file, decoded once and shared by every buffer that holds it: the file is
    // read again only after all of them let it go. Null, with the user told which picture and
    // why, when it cannot be read, would pass the budget or finds no memory.
    std::shared_ptr<const CBitmap> LoadPicture(const std::string& path);
    // While an edit is recorded, changes are reported to the recorder (null: none).
    void SetRecorder(IEditRecorder* recorder) { m_pRecorder = recorder; }
    // Code about to change a record calls this first, so the change can be undone.
    void WillChange(CCPObject& record) const;

    // The settings and comment only; the lists and the template picture stay.
    std::unique_ptr<CCPObject> CopyFields() const override;
    void AssignFields(const CCPObject& from) override;

    // File names in the cockpit resolve against this folder (the cockpit file's).
    void SetFolder(const std::string& folder) { m_strFolder = folder; }
    const std::string& GetFolder() const { return m_strFolder; }
    std::string FullPath(const std::string& name) const;

    void Serialize(CLineWriter& ar) override;
    // Where a Serialize done in slices has got to.
    struct SerializePosition
    {
        int stage = 0;
        size_t index = 0;
        std::optional<std::string> lastBuffer; // the BUFFER written last, once there is one
    };
    // Serialize in slices of at most records records (the manager's own record counts as
    // one), from where pos says and moving it on; true once the whole text is written. The
    // slices together give Serialize's bytes, as long as the lists do not change in between.
    bool SerializeSome(CLineWriter& ar, SerializePosition& pos, size_t records);
    bool Check(CCheckMessageArray& messages, bool full) override;

    CCPObject* CreateObject(int code);
    void AddSound(std::unique_ptr<CCPSound> r);
    void AddButton(std::unique_ptr<CCPButton> r);
    void AddButtonView(std::unique_ptr<CCPButtonView> r);
    void AddPanel(std::unique_ptr<CCPPanel> r);
    void AddSurface(std::unique_ptr<CCPSurface> r);
    void AddBuffer(std::unique_ptr<CCPBuffer> r);
    void AddObject(std::unique_ptr<CCPObject> r);
    // Appends r to list, r being of the list's kind; anything else goes to the objects.
    void AddRecord(std::unique_ptr<CCPObject> r, RecordList list);
    void AddLeftover(std::string text);

    CCPPanel* FindPanel(int id) const;
    CCPSurface* FindSurface(int id) const;
    CCPButtonView* FindButtonView(int id) const;
    CCPObject* FindObject(int id) const;
    CCPButton* FindButton(int id) const;
    CCPSound* FindSound(int id) const;
    CCPPanel* GetPanel(int index) const;
    bool HasPanel(const CCPPanel* panel) const;
    CCPButton* GetButton(int index) const;
    CCPSound* GetSound(int index) const;

    int CountButtonsWithId(int id) const;
    int CountButtonViewsWithId(int id) const;
    int CountPanelsWithId(int id) const;
    int CountObjectsWithId(int id) const;

    int NextPanelId() const;
    int NextSoundId() const;
    int NextButtonId() const;

    void SetScreenSize(int width, int height);
    void RemoveAll();
    void ResetSettings();
    // True for a SURFACE record that no panel's surface entry uses: it is neither written nor
    // checked (it stays in the list, so an undone delete finds it again).
    bool IsOrphanSurface(const CCPSurface& surface) const;
    void CountButtonViews();

    // Reads the MANAGER record's keys up to "#end", then the template image. Within one load
    // (see BeginLoad) a template file is decoded once, however many MANAGER records name it.
    void LoadManager(CLineReader& ar, const std::string& comment);
    // A document load starts: templates decoded before count as not decoded.
    void BeginLoad() { m_templateDecoded = {}; }
    // Reads the template picture and cuts it to the declared size; false, with the image
    // message shown and the previous bitmap kept, when it cannot be read or kept.
    bool LoadTemplate();
    void RefreshImages();
    // Loads again each picture whose file name, declared size or folder changed since it was
    // last loaded (a sheet, an undo or redo, a save in another folder); a template name made
    // empty drops the template picture. True when any picture changed.
    bool UpdatePictures();
    // The buffer of file (names compared as the writer compares them), or else a new one, added
    // to the list: it takes the picture's own size, or like's when the picture cannot be read.
    CCPBuffer* BufferOf(const std::string& file, const CCPBuffer* like);
    // The buffers whose pictures the panels show through their surface entries, in list order.
    std::vector<const CCPBuffer*> BuffersInUse() const;

    // Copies src of the template onto the destination scaled by scale (truncated).
    void BlitOpaque(int left, int top, int right, int bottom, const CRect& src, Canvas& dc,
                    float scale) const;
    // The same, leaving the destination where the template is pure blue.
    void BlitTransparent(int left, int top, int right, int bottom, const CRect& src, Canvas& dc,
                         float scale) const;

    bool CheckReachable(CCheckMessageArray& messages);
    bool VisitPanel(CCPPanel* panel, CCheckMessageArray& messages);

    // Takes a record out of the lists without destroying it; the caller owns the result.
    std::unique_ptr<CCPObject> Release(CCPObject* record);

    // Ids of records changed outside the manager's own operations (a property sheet, say):
    // the look-ups by id rebuild their tables on the next use.
    void InvalidateIndex() const;

private:
    // Per list: id -> position of the first record with that id, and how many have it.
    // Look-ups by id stay first-match but cost no scan of the list.
    struct CIdIndex
    {
        CIdTable table;
        size_t size = 0;
        bool valid = false;
    };
    template <class T>
    T* FindIndexed(const std::vector<std::unique_ptr<T>>& list, CIdIndex& index, int id) const;
    template <class T>
    int CountIndexed(const std::vector<std::unique_ptr<T>>& list, CIdIndex& index, int id) const;
    template <class T>
    void AddIndexed(std::vector<std::unique_ptr<T>>& list, CIdIndex& index, std::unique_ptr<T> r);

    mutable CIdIndex m_idxButtonViews, m_idxSounds, m_idxButtons, m_idxPanels, m_idxSurfaces,
        m_idxObjects;

    IUserInterface* m_pUI = nullptr;
    IRecordEditor* m_pEditor = nullptr;
    IImageLoader* m_pImageLoader = nullptr;
    IEditRecorder* m_pRecorder = nullptr;
    std::string m_strFolder;

    uint64_t m_nPictureBudget = kDefaultPictureBudget;
    mutable std::unordered_map<std::string, std::weak_ptr<const CBitmap>> m_mapPictures;
    // What the last template decode of this load was asked for, and whether it succeeded.
    struct CTemplateDecode
    {
        bool tried = false;
        std::string failure; // the message; empty when the template was read
        std::string path;
        int width = 0;
        int height = 0;
    } m_templateDecoded;
    // What the template picture was last loaded for: file name, folder and declared size.
    struct CTemplateKey
    {
        std::string file;
        std::string folder;
        int width = 0;
        int height = 0;
        bool operator==(const CTemplateKey&) const = default;
    } m_templateLoaded;
    CTemplateKey TemplateKey() const
    {
        return {NameKey(m_strTemplateFile), m_strFolder, m_nTemplateWidth, m_nTemplateHeight};
    }
    // Reads the template into m_bmpTemplate; the failure's message, not shown, or empty.
    std::string DecodeTemplate();
    std::string BudgetText(const std::string& path) const;
    // Refuses (with the message) a picture of width x height that would pass the budget on
    // top of inUse bytes.
    bool FitsBudget(const std::string& path, uint64_t width, uint64_t height, uint64_t inUse) const;
    // Surface ids that panels use, gathered by the save or the check that is running.
    std::unordered_set<int> m_usedSurfaces;
    void CollectUsedSurfaces();

public:
    // Puts a record released from its list back at the end of the list of its kind.
    void AppendRecord(std::unique_ptr<CCPObject> record);
};
