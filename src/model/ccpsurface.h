#pragma once

#include "ccprecord.h"

#include <optional>
#include <string>

class CCPBuffer;

// A SURFACE record: a rectangle cut from a buffer's image; panels place it through their
// surface entries. The cut is drawn straight from the buffer's picture: a surface keeps no
// copy, so what a file claims as its size costs no memory.
class CCPSurface : public CCPRecord<CCPSurface>
{
public:
    std::string m_strFile;
    CRect m_rcSrc{0, 0, 10, 10};
    CCPBuffer* m_pBuffer = nullptr; // owned by the manager's buffer list

    CCPSurface() = default;
    explicit CCPSurface(CCPManager* manager) : CCPRecord(manager) {}
    // Reads the keys up to "#end"; the reader then gives it the buffer it is cut from.
    CCPSurface(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    bool SameFields(const CCPObject& other) const override;

    bool IsSurface() const override { return true; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    // The record alone, without its buffer.
    void Serialize(CLineWriter& ar) override;

    // Writes the BUFFER record first when none was written yet (last empty) or the file name
    // differs (ignoring case) from last; an empty file name is a name like any other.
    void WriteSurface(CLineWriter& ar, std::optional<std::string>& last);
    // Names another picture file: from now on the surface is cut from the cockpit's buffer of
    // that file (a new one when there is none), so that what is drawn and what is written agree.
    // The caller has told the manager (WillChange) first.
    void SetFile(const std::string& file);
    void DrawSurface(Canvas& dc, const CRect& dest, float scale, bool transparent);
    void ResetImage();
};
