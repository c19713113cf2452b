#include "choosecolour.h"

#include "ccppage.h"
#include "cdialogrunner.h"
#include "cscanner.h"
#include "iuserinterface.h"
#include "strformat.h"

#include <QColorDialog>

#include <cstdint>

bool ChooseColour(CCPPage& page, std::string& colourText)
{
    if (!page.UpdateData(true))
        return false;
    uint32_t value = 0;
    ScanHex(colourText, value);

    QColorDialog dlg(QColor(int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff)),
                     page.window());
    dlg.setWindowTitle(QStringLiteral("Color"));
    if (CDialogRunner::RunModal(dlg) != IDOK)
        return false;
    const QColor chosen = dlg.selectedColor().isValid() ? dlg.selectedColor() : dlg.currentColor();
    // The simulator reads the alpha byte too: picked colours are always opaque.
    const uint32_t argb = 0xff000000u | (uint32_t(chosen.red()) << 16) |
                          (uint32_t(chosen.green()) << 8) | uint32_t(chosen.blue());
    colourText = StrFormat("%x", argb);
    page.UpdateData(false);
    return true;
}
