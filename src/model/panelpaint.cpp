#include "panelpaint.h"

#include "ccpbuttonview.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"

CCPObject* WalkPanel(const CCPManager& m, const CCPPanel& panel, int layers,
                     const std::function<bool(CCPObject&)>& visit)
{
    if (layers & kButtonViewLayer)
        for (int id : panel.m_anButtonViews)
            if (CCPObject* view = m.FindButtonView(id); view && visit(*view))
                return view;
    if (layers & kObjectLayer)
        for (int id : panel.m_anObjects)
            if (CCPObject* object = m.FindObject(id); object && visit(*object))
                return object;
    return nullptr;
}

void PaintPanel(const CCPManager& m, const CCPPanel& panel, Canvas& canvas, float zoom, int layers,
                CCPObject* selected,
                const std::function<bool(CCPObject&, Canvas&, float)>& drawInstead)
{
    for (const auto& surface : panel.m_aSurfaces)
        surface->Draw(canvas, zoom);
    WalkPanel(m, panel, layers, [&](CCPObject& record) {
        if (!drawInstead || !drawInstead(record, canvas, zoom))
            record.Draw(canvas, zoom);
        return false;
    });
    if (selected)
        selected->DrawSelected(canvas, zoom);
}
