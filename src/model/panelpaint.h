#pragma once

#include <functional>

class Canvas;
class CCPManager;
class CCPObject;
class CCPPanel;

// The records a panel shows, by kind; the panel view can hide either kind.
enum PanelLayer
{
    kButtonViewLayer = 1,
    kObjectLayer = 2,
    kAllLayers = kButtonViewLayer | kObjectLayer
};

// Visits the records the panel shows on the given layers in the order they are painted and
// picked: its button views, then its objects, each in list order; ids without a record are
// skipped. Stops at the first record visit answers true for and returns it, else null.
CCPObject* WalkPanel(const CCPManager& manager, const CCPPanel& panel, int layers,
                     const std::function<bool(CCPObject&)>& visit);

// Paints the panel as the editor shows it: its surfaces, the records of the given layers, and
// the selection of selected when given. drawInstead may draw a record itself (answering true),
// as the editor does for a dial under preview.
void PaintPanel(const CCPManager& manager, const CCPPanel& panel, Canvas& canvas, float zoom,
                int layers = kAllLayers, CCPObject* selected = nullptr,
                const std::function<bool(CCPObject&, Canvas&, float)>& drawInstead = {});
