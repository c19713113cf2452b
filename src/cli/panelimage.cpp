#include "panelimage.h"

#include "ccpbuttonview.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "cqtcanvas.h"

#include <QPainter>

QImage PaintPanelImage(CCPManager& m, CCPPanel& panel, float zoom, CCPObject* selected)
{
    const int w = int(float(m.m_nScreenWidth) * zoom);
    const int h = int(float(m.m_nScreenHeight) * zoom);
    if (w <= 0 || h <= 0 || (long long)w * h > 256LL * 1024 * 1024)
        return QImage();
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    CQtCanvas canvas(painter);
    for (const auto& ref : panel.m_aSurfaces)
        ref->Draw(canvas, zoom);
    for (int id : panel.m_anButtonViews)
        if (CCPObject* r = m.FindButtonView(id))
            r->Draw(canvas, zoom);
    for (int id : panel.m_anObjects)
        if (CCPObject* r = m.FindObject(id))
            r->Draw(canvas, zoom);
    if (selected)
        selected->DrawSelected(canvas, zoom);
    return image;
}
