#pragma once

#include "crect.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

class CCPManager;
class CLineReader;
class CLineWriter;
class Canvas;

// What the moving instruments share about the template pieces they place on a panel: the
// "destloc" line with its transparency word, the copy itself and the middle band of a tall
// picture seen through a shorter window.
class CInstrumentPiece
{
public:
    // "transparent|opaque top left bottom right": the rectangle is taken whatever the word; an
    // unknown word is reported with badWordMessage and the value text, and the flag stays.
    static void ReadDestLine(CLineReader& ar, std::string_view value, CRect& dest,
                             bool& transparent, const char* badWordMessage);
    // Written even when the rectangle is all zero.
    static void WriteDestLine(CLineWriter& ar, const CRect& dest, bool transparent);

    // Copies src of the template onto dest, colour-keyed when transparent is set.
    static void Blit(const CCPManager* manager, const CRect& dest, const CRect& src,
                     bool transparent, Canvas& dc, float scale);

    // src shrunk from top and bottom alike to the height of dest (left and right stay).
    static CRect MiddleBand(const CRect& src, const CRect& dest);

    // n for the key "color<n>" with n below count (any letter case), else -1.
    static int ColourIndex(std::string_view key, int count);

    // "color0 = 0x..;", "color1 = ..", one line per colour.
    static void WriteColours(CLineWriter& ar, const uint32_t* colours, size_t count);

    // Toward zero, as the previews truncate; values beyond the int range are clamped.
    static int Trunc(double value);
};
