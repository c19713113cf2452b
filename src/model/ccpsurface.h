#pragma once

#include "cbitmap.h"
#include "ccpobject.h"

class CCPBuffer;

// A SURFACE record: a rectangle cut from a buffer's image; panels place it through their
// surface entries.
class CCPSurface : public CCPObject
{
public:
    std::string m_strFile;
    CRect m_rcSrc{0, 0, 10, 10};
    CCPBuffer* m_pBuffer = nullptr; // owned by the manager's buffer list
    bool m_bBuilt = false;
    CBitmap m_bitmap;

    CCPSurface() = default;
    explicit CCPSurface(CCPManager* manager) : CCPObject(manager) {}
    CCPSurface(int id, CLineReader& ar, const std::string& comment, CCPManager* manager,
               CCPBuffer* buffer);

    // Copies leave the cut-out behind; it is cut again when drawn.
    std::unique_ptr<CCPObject> CopyFields() const override;
    void AssignFields(const CCPObject& from) override;
    bool SameFields(const CCPObject& other) const override;

    int GetTypeCode() const override { return 0; }
    bool IsSurface() const override { return true; }
    std::string GetTypeName() const override { return "Surface"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;

    // Writes the BUFFER record first when the file name differs (ignoring case) from last.
    void WriteSurface(CLineWriter& ar, std::string& last);
    void DrawSurface(Canvas& dc, const CRect& dest, float scale, int transparent);
    void ResetImage();
};
