#pragma once

#include <QImage>

class CCPManager;
class CCPObject;
class CCPPanel;

// Paints panel as the editor's panel view paints it (surfaces, then button views, then
// objects, then the selection of selected when given) on a transparent image of the screen
// size times zoom. A null image when that size is empty or too large to allocate.
QImage PaintPanelImage(CCPManager& manager, CCPPanel& panel, float zoom,
                       CCPObject* selected = nullptr);
