#include "ccptreeicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <cmath>

namespace {
const QColor kInk(40, 40, 40);

void Folder(QPainter& p, bool open)
{
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(235, 190, 60));
    p.drawRect(1, 3, 5, 2);  // tab
    p.drawRect(1, 4, 13, 9); // back
    if (open) {
        p.setBrush(QColor(250, 220, 110));
        p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
    }
}

void Panel(QPainter& p, bool sel)
{
    p.setPen(kInk);
    p.setBrush(QColor(170, 170, 175));
    p.drawRect(0, 1, 15, 12);
    p.setBrush(sel ? QColor(60, 140, 230) : QColor(40, 60, 80));
    p.drawRect(2, 3, 5, 4);
    p.drawRect(9, 3, 4, 4);
    p.setPen(sel ? QColor(255, 220, 60) : QColor(90, 90, 95));
    p.drawLine(2, 10, 13, 10);
}

void Surface(QPainter& p, bool sel)
{
    p.setPen(sel ? QColor(20, 60, 160) : kInk);
    p.setBrush(sel ? QColor(120, 190, 255) : QColor(150, 200, 240));
    p.drawRect(0, 1, 15, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 150, 60));
    p.drawPolygon(
        QPolygon({QPoint(1, 13), QPoint(6, 6), QPoint(9, 10), QPoint(11, 8), QPoint(15, 13)}));
    p.setBrush(QColor(250, 210, 40));
    p.drawEllipse(10, 3, 3, 3);
}

void Button(QPainter& p, bool sel)
{
    p.setPen(kInk);
    p.setBrush(QColor(150, 150, 155));
    p.drawRect(1, 9, 13, 4);
    p.setBrush(sel ? QColor(255, 140, 40) : QColor(200, 40, 40));
    p.drawEllipse(3, 2, 9, 9);
    p.setPen(QColor(255, 255, 255, 180));
    p.drawPoint(6, 4);
}

void Light(QPainter& p, bool sel)
{
    if (sel) {
        p.setPen(QColor(240, 180, 0));
        p.drawLine(1, 5, 3, 5);
        p.drawLine(12, 5, 14, 5);
        p.drawLine(3, 1, 4, 2);
        p.drawLine(12, 1, 11, 2);
    }
    p.setPen(kInk);
    p.setBrush(sel ? QColor(255, 240, 80) : QColor(225, 225, 210));
    p.drawEllipse(4, 1, 8, 8);
    p.setBrush(QColor(140, 140, 140));
    p.drawRect(6, 9, 4, 4);
    p.drawLine(6, 11, 10, 11);
}

void Dial(QPainter& p, bool sel)
{
    p.setPen(kInk);
    p.setBrush(Qt::black);
    p.drawEllipse(0, 0, 15, 14);
    p.setBrush(sel ? QColor(255, 250, 200) : QColor(245, 245, 245));
    p.drawEllipse(2, 2, 11, 10);
    p.setPen(QPen(QColor(200, 30, 30), 1.5));
    p.drawLine(QPointF(7.5, 7.5), QPointF(sel ? 11.5 : 4, 3.5));
}

void Adi(QPainter& p, bool sel)
{
    p.setPen(kInk);
    p.setBrush(QColor(140, 90, 40));
    p.drawEllipse(1, 0, 14, 14);
    QPainterPath sky;
    sky.addEllipse(1, 0, 14, 14);
    QPainterPath top;
    top.addRect(0, 0, 16, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(sel ? QColor(90, 170, 255) : QColor(60, 130, 220));
    p.drawPath(sky.intersected(top));
    p.setPen(QPen(sel ? QColor(255, 220, 0) : Qt::white, 1.5));
    p.drawLine(3, 7, 13, 7);
    p.drawLine(8, 7, 8, 9);
}

void Indicator(QPainter& p, bool sel)
{
    p.setPen(kInk);
    p.setBrush(sel ? QColor(255, 250, 200) : Qt::white);
    p.drawRect(4, 0, 7, 14);
    for (int y = 2; y < 14; y += 3)
        p.drawLine(5, y, y % 2 ? 9 : 7, y);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 40, 40));
    p.drawPolygon(QPolygon({QPoint(15, 4), QPoint(11, 7), QPoint(15, 10)}));
}

// One seven-segment "8" with its top-left corner at x, y, 5 pixels wide and 11 high.
void Eight(QPainter& p, int x, int y)
{
    p.drawLine(x + 1, y, x + 3, y);
    p.drawLine(x + 1, y + 5, x + 3, y + 5);
    p.drawLine(x + 1, y + 10, x + 3, y + 10);
    p.drawLine(x, y + 1, x, y + 4);
    p.drawLine(x + 4, y + 1, x + 4, y + 4);
    p.drawLine(x, y + 6, x, y + 9);
    p.drawLine(x + 4, y + 6, x + 4, y + 9);
}

void Digits(QPainter& p, bool sel)
{
    p.setPen(kInk);
    p.setBrush(Qt::black);
    p.drawRect(0, 0, 15, 14);
    p.setPen(sel ? QColor(255, 220, 60) : QColor(60, 230, 60));
    Eight(p, 2, 2);
    Eight(p, 9, 2);
}

void Text(QPainter& p, bool sel)
{
    p.setPen(Qt::NoPen);
    p.setBrush(sel ? QColor(30, 90, 200) : kInk);
    p.drawRect(2, 1, 12, 3); // bar of the T
    p.drawRect(6, 1, 4, 13); // stem
    p.setBrush(sel ? QColor(120, 180, 255) : QColor(130, 130, 130));
    p.drawRect(2, 12, 3, 2);
    p.drawRect(11, 12, 3, 2);
}

void Knee(QPainter& p, bool sel)
{
    p.setPen(QColor(90, 60, 20));
    p.setBrush(QColor(170, 120, 60));
    p.drawRect(2, 1, 11, 13);
    p.setPen(kInk);
    p.setBrush(sel ? QColor(255, 255, 210) : Qt::white);
    p.drawRect(4, 3, 7, 10);
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(5, 0, 5, 2);
    p.setPen(sel ? QColor(30, 90, 200) : QColor(100, 100, 100));
    for (int y = 5; y <= 11; y += 2)
        p.drawLine(5, y, 10, y);
}

void Ded(QPainter& p, bool sel)
{
    p.setPen(kInk);
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(0, 2, 15, 10);
    p.setBrush(QColor(10, 25, 10));
    p.drawRect(2, 4, 11, 6);
    p.setPen(sel ? QColor(255, 220, 60) : QColor(80, 255, 80));
    p.drawLine(3, 6, 10, 6);
    p.drawLine(3, 8, 12, 8);
}

void Compass(QPainter& p, bool sel)
{
    p.setPen(kInk);
    p.setBrush(sel ? QColor(255, 250, 200) : QColor(230, 230, 235));
    p.drawEllipse(0, 0, 15, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 40, 40));
    p.drawPolygon(QPolygon({QPoint(8, 1), QPoint(10, 7), QPoint(6, 7)}));
    p.setBrush(sel ? QColor(30, 90, 200) : kInk);
    p.drawPolygon(QPolygon({QPoint(8, 14), QPoint(10, 8), QPoint(6, 8)}));
}

void Sound(QPainter& p, bool sel)
{
    p.setPen(kInk);
    p.setBrush(sel ? QColor(60, 140, 230) : QColor(90, 90, 90));
    p.drawPolygon(QPolygon(
        {QPoint(1, 5), QPoint(4, 5), QPoint(8, 1), QPoint(8, 13), QPoint(4, 9), QPoint(1, 9)}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(sel ? QColor(30, 90, 200) : kInk, 1.2));
    p.drawArc(QRectF(6, 4, 5, 6), -60 * 16, 120 * 16);
    p.drawArc(QRectF(5, 1, 9, 12), -60 * 16, 120 * 16);
}

void Draw(QPainter& p, int kind, bool sel)
{
    switch (kind) {
    case 0:
        Folder(p, sel);
        break;
    case 1:
        Panel(p, sel);
        break;
    case 2:
        Surface(p, sel);
        break;
    case 3:
        Button(p, sel);
        break;
    case 4:
        Light(p, sel);
        break;
    case 5:
        Dial(p, sel);
        break;
    case 6:
        Adi(p, sel);
        break;
    case 7:
        Indicator(p, sel);
        break;
    case 8:
        Digits(p, sel);
        break;
    case 9:
        Text(p, sel);
        break;
    case 10:
        Knee(p, sel);
        break;
    case 11:
        Ded(p, sel);
        break;
    case 12:
        Compass(p, sel);
        break;
    case 13:
        Sound(p, sel);
        break;
    }
}
} // namespace

CCPTreeIcons::CCPTreeIcons() : m_strip(kWidth * kCount, kHeight)
{
    m_strip.fill(Qt::transparent);
    QPainter p(&m_strip);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < kCount; ++i) {
        p.save();
        p.setClipRect(i * kWidth, 0, kWidth, kHeight);
        p.translate(i * kWidth, 0);
        Draw(p, i / 2, i % 2 != 0);
        p.restore();
    }
}

QPixmap CCPTreeIcons::Picture(int index) const
{
    if (index < 0 || index >= kCount)
        index = 0;
    return m_strip.copy(index * kWidth, 0, kWidth, kHeight);
}

QIcon CCPTreeIcons::Icon(int imageIndex) const
{
    if (imageIndex < 0 || imageIndex + 1 >= kCount)
        imageIndex = 0;
    QIcon icon;
    icon.addPixmap(Picture(imageIndex), QIcon::Normal);
    icon.addPixmap(Picture(imageIndex + 1), QIcon::Selected);
    return icon;
}
