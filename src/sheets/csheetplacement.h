#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a sheet of size sheet goes so that it does not cover keep (the record it edits, on the
// panel view), within available (the screen's free area), all in global coordinates: preferred
// when it already leaves keep clear, else beside keep on the right, the left, below or above,
// the first side with room. preferred when no side has room.
QPoint PlaceClearOf(QSize sheet, const QRect& keep, const QRect& available, QPoint preferred);
