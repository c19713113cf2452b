#include "cinstrumentpiece.h"

#include "ccpmanager.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "strformat.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

void CInstrumentPiece::ReadDestLine(CLineReader& ar, std::string_view value, CRect& dest,
                                    bool& transparent, const char* badWordMessage)
{
    CScanner scan(value);
    std::string_view word;
    if (!scan.Word(word)) {
        ReportError(ar, badWordMessage, value); // no word at all is a bad word too
        return;
    }
    if (EqualsNoCase(word, "transparent"))
        transparent = true;
    else if (EqualsNoCase(word, "opaque"))
        transparent = false;
    else
        ReportError(ar, badWordMessage, value);
    ScanRect(scan.Rest(), dest);
}

void CInstrumentPiece::WriteDestLine(CLineWriter& ar, const CRect& dest, bool transparent)
{
    WriteWordAndRect(ar, "destloc", transparent ? "transparent" : "opaque", dest);
}

void CInstrumentPiece::Blit(const CCPManager* manager, const CRect& dest, const CRect& src,
                            bool transparent, Canvas& dc, float scale)
{
    if (!manager)
        return;
    if (transparent)
        manager->BlitTransparent(dest.left, dest.top, dest.right, dest.bottom, src, dc, scale);
    else
        manager->BlitOpaque(dest.left, dest.top, dest.right, dest.bottom, src, dc, scale);
}

static int Clamp(int64_t v)
{
    return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : int(v);
}

CRect CInstrumentPiece::MiddleBand(const CRect& src, const CRect& dest)
{
    // Wide arithmetic: the four values come straight from the file.
    const int64_t d = ((int64_t(dest.top) - dest.bottom) - src.top + src.bottom) / 2;
    CRect band = src;
    band.top = Clamp(src.top + d);
    band.bottom = Clamp(src.bottom - d);
    return band;
}

int CInstrumentPiece::ColourIndex(std::string_view key, int count)
{
    if (key.size() != 6 || !EqualsNoCase(key.substr(0, 5), "color") || key[5] < '0' ||
        key[5] >= '0' + count)
        return -1;
    return key[5] - '0';
}

void CInstrumentPiece::WriteColours(CLineWriter& ar, const uint32_t* colours, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        WriteHex(ar, StrFormat("color%d", int(i)).c_str(), colours[i]);
}

int CInstrumentPiece::Trunc(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= double(INT_MIN))
        return INT_MIN;
    if (value >= double(INT_MAX))
        return INT_MAX;
    return int(value);
}
