#include "panelimage.h"

#include "ccpmanager.h"
#include "cqtcanvas.h"
#include "panelpaint.h"

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
    PaintPanel(m, panel, canvas, zoom, kAllLayers, selected);
    return image;
}
