#pragma once

#include "panelmap.h"

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <functional>

class CCPManager;
class CCPPanel;
class QPainter;

// Where the Panel Map draws each panel and link, in map pixels at zoom 1: every panel a
// picture of thumbWidth pixels across (its screen's shape), its id above it, with room
// between the pictures for the arrows.
class CPanelMapGeometry
{
public:
    static constexpr int kThumbWidth = 160;
    static constexpr int kGap = 48;
    static constexpr int kLabel = 20;
    static constexpr int kMargin = 24;

    CPanelMapGeometry(PanelMapLayout map, int screenWidth, int screenHeight);

    const PanelMapLayout& Map() const { return m_map; }
    QSize ThumbSize() const { return {kThumbWidth, m_nThumbHeight}; }
    QSize Size() const;
    // The picture of panel i.
    QRectF PanelRect(size_t i) const;
    // Where a link leaves its panel (the side or corner of the direction) and where it ends.
    QLineF LinkLine(const MapLink& link) const;
    // The panel whose picture holds p, or -1.
    int PanelAt(QPointF p) const;
    // The link drawn within tolerance of p, or -1.
    int LinkAt(QPointF p, double tolerance) const;
    // The direction of the side of panel i nearest p, when p lies within band of that side.
    int SideAt(size_t i, QPointF p, double band) const;

private:
    PanelMapLayout m_map;
    int m_nThumbHeight;
};

// Draws the map: pictures (thumbnail(i), a placeholder where it gives a null image), ids,
// links as arrows (red where the neighbour does not link back or does not exist) and a frame
// round the current panel (-1: none). Only what meets visible is drawn (null: all of it).
void PaintPanelMap(QPainter& painter, const CPanelMapGeometry& geometry,
                   const std::function<QImage(size_t)>& thumbnail, int current,
                   const QRectF& visible = QRectF());

// Panel painted as the panel view paints it, scaled to size, on the map's background.
QImage PaintPanelThumbnail(CCPManager& manager, CCPPanel& panel, QSize size);
