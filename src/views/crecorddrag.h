#pragma once

#include "crect.h"

#include <optional>

class QMimeData;

// What a drag onto the panel view carries: a record type from the Records palette, or a piece
// drawn on the template. Each has a mime type of Vireo's own, so that drops from elsewhere
// (text, files, another program's shapes) are not taken for either.
inline constexpr char kRecordTypeMime[] = "application/x-vireo-record-type";
inline constexpr char kTemplatePieceMime[] = "application/x-vireo-template-piece";

// The type code of a type Add Object offers.
QMimeData* MakeRecordTypeMime(int code);
// The code a drop carries, when it is one of a type a panel can hold.
std::optional<int> DroppedRecordType(const QMimeData* mime);

// A piece of the template, in template pixels.
QMimeData* MakeTemplatePieceMime(const CRect& piece);
// The piece a drop carries, when it is one with an area.
std::optional<CRect> DroppedTemplatePiece(const QMimeData* mime);
