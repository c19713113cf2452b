#include "ctoolbarart.h"

#include "ccommandtarget.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {
const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kShade(128, 128, 128);
const QColor kLight(192, 192, 192);
const QColor kYellow(255, 208, 64);
const QColor kNavy(0, 0, 128);
const QColor kTeal(0, 128, 128);

void Page(QPainter& p, int x, int y, int w, int h)
{
    // A sheet with a folded top-right corner.
    QPolygon sheet;
    sheet << QPoint(x, y) << QPoint(x + w - 4, y) << QPoint(x + w, y + 4) << QPoint(x + w, y + h)
          << QPoint(x, y + h);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(sheet);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

void Lines(QPainter& p, int x, int y, int w, int rows)
{
    p.setPen(kShade);
    for (int i = 0; i < rows; ++i)
        p.drawLine(x, y + 2 * i, x + w, y + 2 * i);
}

void Arrow(QPainter& p, int dx, int dy)
{
    // A filled arrow pointing along (dx, dy), centred in the picture.
    QPolygon head;
    QRect stem;
    if (dx < 0) {
        head << QPoint(2, 7) << QPoint(8, 1) << QPoint(8, 13);
        stem = QRect(8, 5, 6, 5);
    } else if (dx > 0) {
        head << QPoint(13, 7) << QPoint(7, 1) << QPoint(7, 13);
        stem = QRect(1, 5, 6, 5);
    } else if (dy < 0) {
        head << QPoint(7, 1) << QPoint(1, 7) << QPoint(13, 7);
        stem = QRect(5, 7, 5, 7);
    } else {
        head << QPoint(7, 13) << QPoint(1, 7) << QPoint(13, 7);
        stem = QRect(5, 1, 5, 6);
    }
    p.setPen(kNavy);
    p.setBrush(kNavy);
    p.drawPolygon(head);
    p.fillRect(stem, kNavy);
}

void Magnifier(QPainter& p, bool plus)
{
    p.setPen(QPen(kInk, 2));
    p.drawLine(9, 9, 13, 13);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawEllipse(1, 1, 9, 9);
    p.setPen(kInk);
    p.drawLine(3, 5, 8, 5);
    if (plus)
        p.drawLine(5, 3, 5, 8);
}

// A half-turn arrow: back to the left for undo, on to the right for redo.
void TurnArrow(QPainter& p, bool forward)
{
    p.save();
    if (forward) {
        p.translate(15, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(kNavy, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(3, 3, 10, 9), 90 * 16, -200 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    QPolygon head;
    head << QPoint(0, 4) << QPoint(6, 0) << QPoint(6, 8);
    p.drawPolygon(head);
    p.restore();
}

void Draw(QPainter& p, int id)
{
    switch (id) {
    case ID_FILE_NEW:
        Page(p, 2, 0, 11, 14);
        break;
    case ID_FILE_OPEN: {
        p.setPen(kInk);
        p.setBrush(kYellow);
        p.drawRect(1, 4, 10, 9);
        p.drawRect(1, 2, 4, 2);
        QPolygon flap;
        flap << QPoint(3, 7) << QPoint(14, 7) << QPoint(11, 13) << QPoint(1, 13);
        p.setBrush(QColor(255, 232, 128));
        p.drawPolygon(flap);
        break;
    }
    case ID_FILE_SAVE:
        p.setPen(kInk);
        p.setBrush(kNavy);
        p.drawRect(1, 1, 13, 13);
        p.fillRect(4, 2, 8, 5, kPaper);
        p.fillRect(5, 10, 6, 4, kLight);
        p.fillRect(9, 11, 1, 2, kNavy);
        break;
    case ID_EDIT_CUT:
        p.setPen(kInk);
        p.drawLine(4, 0, 9, 9);
        p.drawLine(10, 0, 5, 9);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kNavy, 1));
        p.drawEllipse(1, 9, 4, 4);
        p.drawEllipse(9, 9, 4, 4);
        break;
    case ID_EDIT_COPY:
        Page(p, 1, 0, 8, 9);
        Lines(p, 3, 3, 3, 3);
        Page(p, 6, 5, 8, 9);
        Lines(p, 8, 8, 3, 3);
        break;
    case ID_EDIT_PASTE:
        p.setPen(kInk);
        p.setBrush(QColor(160, 112, 48));
        p.drawRect(1, 2, 10, 12);
        p.fillRect(4, 1, 5, 3, kLight);
        p.drawRect(4, 0, 4, 2);
        Page(p, 6, 5, 8, 9);
        Lines(p, 8, 8, 3, 3);
        break;
    case ID_FILE_PRINT:
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawRect(4, 0, 7, 6);
        p.setBrush(kLight);
        p.drawRect(1, 6, 13, 6);
        p.fillRect(3, 12, 9, 2, kShade);
        p.fillRect(11, 8, 2, 1, QColor(0, 160, 0));
        break;
    case ID_EDIT_UNDO:
        TurnArrow(p, false);
        break;
    case ID_EDIT_REDO:
        TurnArrow(p, true);
        break;
    case ID_ZOOM_IN:
        Magnifier(p, true);
        break;
    case ID_ZOOM_OUT:
        Magnifier(p, false);
        break;
    case ID_NEXT_STATE: {
        // A lamp stepping on: dark, then lit, with an arrow between.
        p.setPen(kInk);
        p.setBrush(kShade);
        p.drawEllipse(0, 4, 5, 5);
        p.setBrush(QColor(255, 64, 0));
        p.drawEllipse(10, 4, 5, 5);
        p.setBrush(kInk);
        QPolygon head;
        head << QPoint(9, 6) << QPoint(7, 4) << QPoint(7, 8);
        p.drawPolygon(head);
        p.drawLine(5, 6, 7, 6);
        break;
    }
    case ID_NUDGE_LEFT:
        Arrow(p, -1, 0);
        break;
    case ID_NUDGE_RIGHT:
        Arrow(p, 1, 0);
        break;
    case ID_NUDGE_UP:
        Arrow(p, 0, -1);
        break;
    case ID_NUDGE_DOWN:
        Arrow(p, 0, 1);
        break;
    case ID_SAME_SIZE:
        // Two frames of the same size: a piece of the template and its place on the panel.
        p.setPen(kTeal);
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 1, 6, 6);
        p.drawRect(8, 7, 6, 6);
        p.setPen(kInk);
        p.drawLine(4, 9, 6, 9);
        p.drawLine(4, 11, 6, 11);
        p.drawLine(8, 3, 10, 3);
        p.drawLine(8, 5, 10, 5);
        break;
    case ID_APP_ABOUT: {
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawEllipse(1, 0, 13, 13);
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(kNavy);
        p.drawText(QRect(1, 0, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    default:
        break;
    }
}
} // namespace

QPixmap CToolBarArt::Picture(int commandId)
{
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    Draw(p, commandId);
    p.end();
    return pixmap;
}

QIcon CToolBarArt::AppIcon()
{
    // A round gauge with a needle on a panel.
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(48, 56, 64));
        p.drawRoundedRect(1, 1, 30, 30, 5, 5);
        p.setBrush(kInk);
        p.setPen(QPen(kLight, 2));
        p.drawEllipse(5, 5, 22, 22);
        p.setPen(QPen(QColor(255, 255, 255), 1));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(16, 16);
            p.rotate(45.0 * i);
            p.drawLine(0, -10, 0, -8);
            p.restore();
        }
        p.setPen(QPen(QColor(255, 160, 0), 2.5));
        p.drawLine(16, 16, 23, 10);
        p.setBrush(kLight);
        p.setPen(Qt::NoPen);
        p.drawEllipse(14, 14, 4, 4);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
