#include "csheetplacement.h"

#include <algorithm>

QPoint PlaceClearOf(QSize sheet, const QRect& keep, const QRect& available, QPoint preferred)
{
    if (keep.isEmpty() || !QRect(preferred, sheet).intersects(keep))
        return preferred;
    constexpr int kGap = 12;
    // Along the side, as near to the record as the screen allows.
    const auto clampX = [&](int x) {
        return std::clamp(x, available.left(),
                          std::max(available.left(), available.right() + 1 - sheet.width()));
    };
    const auto clampY = [&](int y) {
        return std::clamp(y, available.top(),
                          std::max(available.top(), available.bottom() + 1 - sheet.height()));
    };
    const QPoint candidates[] = {
        {keep.right() + 1 + kGap, clampY(keep.top())},
        {keep.left() - kGap - sheet.width(), clampY(keep.top())},
        {clampX(keep.left()), keep.bottom() + 1 + kGap},
        {clampX(keep.left()), keep.top() - kGap - sheet.height()},
    };
    for (const QPoint& at : candidates) {
        const QRect placed(at, sheet);
        if (available.contains(placed) && !placed.intersects(keep))
            return at;
    }
    return preferred;
}
