#pragma once

#include "ccheckmessage.h"
#include "crect.h"

#include <memory>
#include <string>
#include <vector>

class CCPManager;
class CLineReader;
struct CRecordType;
class CLineWriter;
class Canvas;

// Type codes: what GetTypeCode answers and CCPManager::CreateObject takes. kBufferType and
// kNoTypeCode create nothing (a buffer is made by its own dialog); a SURFACE record answers
// kSurfaceRefType too. The type table (recordtypes.cpp) ties each to its record class.
enum RecordTypeCode : int
{
    kSurfaceRefType = 0,
    kSoundType = 1,
    kLightType = 2,
    kButtonType = 3,
    kDialType = 4,
    kDigitsType = 5,
    kHsiType = 6,
    kMachAsiType = 7,
    kPanelType = 8,
    kIndicatorType = 9,
    kKneeType = 10,
    kDedType = 11,
    kButtonViewType = 12,
    kAdiType = 13,
    kChevronType = 14,
    kBufferType = 15,
    kLiftType = 16,
    kTextType = 17,
    kNoTypeCode = 18
};

// Base of every cockpit record: its comment (which carries the display name), its id and the
// manager that owns it. Records read and write themselves, check themselves, draw themselves
// on a Canvas and edit themselves through the manager's record editor.
class CCPObject
{
public:
    std::string m_strComment;
    CCPManager* m_pManager = nullptr;
    int m_nId = 0; // last: a record's own first field fills the space after it

    CCPObject() = default;
    explicit CCPObject(CCPManager* manager) : m_pManager(manager) {}
    virtual ~CCPObject();

    // The record's own fields, without the records it owns and without cached pictures: what
    // an undo step keeps of a record it changed. AssignFields puts such a copy back in place,
    // so the record keeps its identity (views and other steps point at it). CCPRecord defines
    // them for the record types.
    virtual std::unique_ptr<CCPObject> CopyFields() const;
    virtual void AssignFields(const CCPObject& from);
    // True when other (of the same type) would be written to the file as this record is.
    virtual bool SameFields(const CCPObject& other) const;

    // The record's row of the type table: its keyword, code, name and icon.
    virtual const CRecordType& GetRecordType() const;
    int GetTypeCode() const;
    std::string GetTypeName() const;
    // The record's tree icon number.
    int GetImageIndex() const;

    // Writes an empty line and the comment; types add their header, keys and "#end".
    virtual void Serialize(CLineWriter& ar);
    virtual bool Check(CCheckMessageArray&, bool) { return true; }
    // Stores id, comment and manager; types then read their keys up to "#end".
    virtual void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);
    virtual void NextState() {}
    virtual bool GetDestRect(CRect*) const { return false; }
    virtual bool GetSrcRect(CRect*) const { return false; }
    virtual void SetDestRect(const CRect*) {}
    virtual void SetSrcRect(const CRect*) {}
    virtual void MakeSameSize() {}
    virtual bool IsPanel() const { return false; }
    virtual bool IsButtonView() const { return false; }
    virtual bool IsSurface() const { return false; }
    virtual bool IsSurfaceRef() const { return false; }
    virtual bool IsSound() const { return false; }
    virtual bool IsButton() const { return false; }
    // Shows the record's modal property sheet; IDOK when accepted.
    virtual int EditProperties();
    virtual void Draw(Canvas&, float) {}
    virtual void DrawSelected(Canvas&, float) {}

    // The display name from the "// Name: " comment line.
    bool GetName(std::string& name) const;
    void SetName(const std::string& name);
    // What the record goes by in messages, step names and outlines: its name, or its type and
    // id ("Light 101").
    std::string GetLabel() const;
    // The same rules on a comment that is not the record's yet (a sheet's edit).
    static bool FindName(const std::string& comment, std::string& name);
    static void PutName(std::string& comment, const std::string& name);
    // Leaves comment with name as its only name: the first "Name:" line carries it (a line in
    // front when there is none) and later ones go, as they would name nothing; an empty name
    // takes every such line out, so the record has no name at all.
    static void PutOnlyName(std::string& comment, const std::string& name);

    // Id unique within the record's own list of the manager; appends
    // "Object Id %d, is not unique" otherwise.
    bool CheckIdUnique(CCheckMessageArray& messages, CCPManager* manager);

    // Writes "\n", the comment and the header "#<id> <KEYWORD>\n".
    void WriteHeader(CLineWriter& ar, const char* keyword);

    void AddMessage(CCheckMessageArray& messages, CheckKind kind, std::string text);

protected:
    // Copies only as CopyFields and AssignFields make them.
    CCPObject(const CCPObject&) = default;
    CCPObject& operator=(const CCPObject&) = default;
};

// Moves dest to the new rectangle; when its size changes, every edge of src moves by what the
// same edge of dest moved.
void SetDestWithSrc(CRect& dest, CRect& src, int left, int top, int right, int bottom);
void SetDestWithSrcList(CRect& dest, std::vector<CRect>& srcs, int left, int top, int right,
                        int bottom);
