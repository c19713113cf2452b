#pragma once

#include "ccpbuffer.h"
#include "crect.h"

#include <memory>
#include <string>

class CCPObject;
class CLineReader;
class CLineWriter;
class CTokenCursor;

// The background-saving settings a moving instrument may carry: the surface that holds the
// saved background, its source and destination rectangles, and (ADI only) a picture kept in
// a buffer of its own after the "blitbackground" flag.
class CBackgroundSave
{
public:
    int m_nSurface = -1; // "bsurface"; -1: none
    CRect m_rcSrc;       // "bsrcloc"
    CRect m_rcDest;      // "bdestloc"
    // The block after the "blitbackground" flag; null while the flag is off.
    std::unique_ptr<CCPBuffer> m_pBlitBuffer;

    CBackgroundSave() = default;
    // A copy has a buffer of its own.
    CBackgroundSave(const CBackgroundSave& other);
    CBackgroundSave& operator=(const CBackgroundSave& other);

    enum ReadOption : unsigned
    {
        kLimitRects = 1,     // a rectangle with a value below 0 or from 5000 up becomes all zero
        kBlitBackground = 2, // the "blitbackground" key is known
    };

    // Reads the value of key when it is one of the background keys; false for any other key.
    // The nested buffer takes the owner's id and manager and reads its lines up to its own "#end".
    bool ReadKey(std::string_view key, CTokenCursor& cursor, CLineReader& ar,
                 const CCPObject& owner, unsigned options = 0);

    // What a "persistant" line does to a background it does not keep: no surface, no rectangles.
    void Forget();

    bool HasBlitBackground() const { return m_pBlitBuffer != nullptr; }

    // "bsurface", only when 0 or more.
    void WriteSurface(CLineWriter& ar) const;
    // "bsrcloc" and "bdestloc", each only when it has an area.
    void WriteRectsIfNotEmpty(CLineWriter& ar) const;
    // The flag line and the nested block, when the flag is set.
    void WriteBlitBackground(CLineWriter& ar) const;
};
