// Draws the demo cockpit: the template image, one background image per panel, and the
// cockpit file that places them. Everything comes from the layout below, so the pictures
// and the records cannot drift apart.
//
//   vireo-drawdemo [OUTPUT_FOLDER]     (default: the examples folder of the source tree)

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;
constexpr double kPi = 3.14159265358979;

// ---------------------------------------------------------------------------------------------
// Geometry

// Left, top, right, bottom as the cockpit file keeps them (right and bottom exclusive).
struct R
{
    int l = 0, t = 0, r = 0, b = 0;
    int w() const { return r - l; }
    int h() const { return b - t; }
    QRect q() const { return QRect(l, t, r - l, b - t); }
    QRectF f() const { return QRectF(l, t, r - l, b - t); }
    QPointF c() const { return QPointF((l + r) / 2.0, (t + b) / 2.0); }
    bool Null() const { return l == 0 && t == 0 && r == 0 && b == 0; }
    bool Overlaps(const R& o) const { return l < o.r && o.l < r && t < o.b && o.t < b; }
    R Grown(int d) const { return {l - d, t - d, r + d, b + d}; }
};

R Box(int x, int y, int w, int h)
{
    return {x, y, x + w, y + h};
}
R Around(int cx, int cy, int rad)
{
    return {cx - rad, cy - rad, cx + rad, cy + rad};
}

// ---------------------------------------------------------------------------------------------
// Cockpit file text, in exactly the form the editor writes it, so that opening and saving the
// demo changes nothing.

std::string Fmt(const char* format, ...)
{
    char buf[512];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    return buf;
}

std::string Head(const std::string& name, int id, const char* keyword)
{
    return "\n// Name: " + name + "\r\n#" + std::to_string(id) + " " + keyword + "\n";
}
std::string KInt(const char* key, int v)
{
    return Fmt("\t%s = %d;\n", key, v);
}
std::string KHex(const char* key, unsigned v)
{
    return Fmt("\t%s = 0x%x;\n", key, v);
}
std::string KFloat(const char* key, float v)
{
    return Fmt("\t%s = %g;\n", key, double(v));
}
std::string KStr(const char* key, const std::string& v)
{
    return Fmt("\t%s = %s;\n", key, v.c_str());
}
std::string KRect(const char* key, const R& r)
{
    return r.Null() ? std::string() : Fmt("\t%s = %d %d %d %d;\n", key, r.t, r.l, r.b, r.r);
}
std::string KDest(const char* key, bool transparent, const R& r)
{
    return Fmt("\t%s = %s %d %d %d %d;\n", key, transparent ? "transparent" : "opaque", r.t, r.l,
               r.b, r.r);
}
const char* const kEnd = "#end\n";

// Keeps written floats stable: a value printed with six digits reads back as itself.
float Round3(double v)
{
    return float(std::round(v * 1000.0) / 1000.0);
}

// ---------------------------------------------------------------------------------------------
// Template image: pieces are packed into shelves; a few pieces sit at fixed places.

using DrawFn = std::function<void(QPainter&, const QRect&)>;

class CTemplate
{
public:
    int Add(int w, int h, DrawFn draw)
    {
        m_aPieces.push_back({w, h, std::move(draw), {}, false});
        return int(m_aPieces.size()) - 1;
    }
    // One piece for every use of the same picture.
    int Shared(const std::string& key, int w, int h, DrawFn draw)
    {
        auto it = m_mapShared.find(key);
        if (it != m_mapShared.end())
            return it->second;
        const int i = Add(w, h, std::move(draw));
        m_mapShared[key] = i;
        return i;
    }
    int Fixed(const R& at, DrawFn draw)
    {
        for (const Piece& p : m_aPieces)
            if (p.fixed && p.at.Overlaps(at))
                throw std::runtime_error("two fixed template pieces overlap");
        m_aPieces.push_back({at.w(), at.h(), std::move(draw), at, true});
        return int(m_aPieces.size()) - 1;
    }
    R At(int i) const { return m_aPieces.at(size_t(i)).at; }

    void Pack()
    {
        constexpr int gap = 2;
        std::vector<R> taken;
        for (const Piece& p : m_aPieces)
            if (p.fixed)
                taken.push_back(p.at.Grown(gap));
        std::vector<int> order;
        for (int i = 0; i < int(m_aPieces.size()); ++i)
            if (!m_aPieces[size_t(i)].fixed)
                order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return m_aPieces[size_t(a)].h > m_aPieces[size_t(b)].h;
        });
        int x = gap, y = gap, shelf = 0;
        for (int i : order) {
            Piece& p = m_aPieces[size_t(i)];
            for (;;) {
                if (x + p.w + gap > m_nWidth) {
                    x = gap;
                    y += shelf + gap;
                    shelf = 0;
                }
                const R cand = Box(x, y, p.w, p.h);
                auto hit = std::find_if(taken.begin(), taken.end(),
                                        [&](const R& t) { return t.Overlaps(cand); });
                if (hit != taken.end()) {
                    x = hit->r;
                    continue;
                }
                p.at = cand;
                taken.push_back(cand);
                x += p.w + gap;
                shelf = std::max(shelf, p.h);
                break;
            }
        }
        m_nHeight = 0;
        for (const Piece& p : m_aPieces)
            m_nHeight = std::max(m_nHeight, p.at.b + gap);
        m_nHeight = (m_nHeight + 7) / 8 * 8;
    }

    QImage Render() const
    {
        QImage img(m_nWidth, m_nHeight, QImage::Format_RGB32);
        img.fill(QColor(18, 18, 20));
        QPainter p(&img);
        for (const Piece& piece : m_aPieces) {
            p.save();
            p.setClipRect(piece.at.q());
            piece.draw(p, piece.at.q());
            p.restore();
        }
        return img;
    }

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

private:
    struct Piece
    {
        int w, h;
        DrawFn draw;
        R at;
        bool fixed;
    };
    std::vector<Piece> m_aPieces;
    std::map<std::string, int> m_mapShared;
    int m_nWidth = 1024;
    int m_nHeight = 0;
};

// ---------------------------------------------------------------------------------------------
// Paint

const QColor kPlate(62, 66, 70);
const QColor kPlateHi(96, 101, 106);
const QColor kPlateLo(30, 32, 35);
const QColor kConsole(27, 28, 30);
const QColor kBezel(38, 40, 43);
const QColor kLabel(236, 236, 224);
const QColor kKey(0, 0, 255); // see-through colour of transparent template pieces
const QColor kAmber(255, 170, 30);
const QColor kGreen(80, 240, 100);
const QColor kRed(255, 60, 44);
const QColor kCyan(90, 200, 255);

QFont Font(double px, bool bold = true)
{
    QFont f("DejaVu Sans Condensed");
    f.setPixelSize(std::max(1, int(std::lround(px))));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void Text(QPainter& p, const QRectF& r, const QString& s, double px, const QColor& c = kLabel,
          int align = Qt::AlignCenter, bool bold = true)
{
    p.save();
    p.setFont(Font(px, bold));
    p.setPen(c);
    p.drawText(r, align, s);
    p.restore();
}

// Text centred on a point.
void TextAt(QPainter& p, QPointF c, const QString& s, double px, const QColor& col = kLabel,
            bool bold = true)
{
    Text(p, QRectF(c.x() - 60, c.y() - 30, 120, 60), s, px, col, Qt::AlignCenter, bold);
}

QPointF Polar(QPointF c, double rad, double deg)
{
    const double a = deg * kPi / 180.0;
    return {c.x() + rad * std::cos(a), c.y() - rad * std::sin(a)};
}

void Screw(QPainter& p, QPointF c, double rad = 4.5)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient g(c + QPointF(-rad * 0.4, -rad * 0.5), rad * 1.7);
    g.setColorAt(0, QColor(205, 205, 200));
    g.setColorAt(1, QColor(64, 66, 68));
    p.setPen(QPen(QColor(12, 12, 14), 1));
    p.setBrush(g);
    p.drawEllipse(c, rad, rad);
    const double a = std::fmod(c.x() * 7.3 + c.y() * 3.1, 90.0) * kPi / 180.0;
    p.setPen(QPen(QColor(34, 34, 36), 1.3));
    for (int k = 0; k < 2; ++k) {
        const double b = a + k * kPi / 2;
        const QPointF d(std::cos(b) * rad * 0.7, std::sin(b) * rad * 0.7);
        p.drawLine(c - d, c + d);
    }
    p.restore();
}

void Bevel(QPainter& p, const R& r, const QColor& hi, const QColor& lo)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(hi);
    p.drawLine(r.l, r.t, r.r - 1, r.t);
    p.drawLine(r.l, r.t, r.l, r.b - 1);
    p.setPen(lo);
    p.drawLine(r.l, r.b - 1, r.r - 1, r.b - 1);
    p.drawLine(r.r - 1, r.t, r.r - 1, r.b - 1);
    p.restore();
}

// A console plate: flat paint, bevelled edges, a screw in each corner, a title at the top.
void Plate(QPainter& p, const R& r, const QString& title = {}, const QColor& paint = kPlate)
{
    p.save();
    p.fillRect(r.q(), paint);
    Bevel(p, r, kPlateHi, kPlateLo);
    Bevel(p, r.Grown(-1), paint.lighter(118), paint.darker(135));
    for (QPointF s : {QPointF(r.l + 8.5, r.t + 8.5), QPointF(r.r - 8.5, r.t + 8.5),
                      QPointF(r.l + 8.5, r.b - 8.5), QPointF(r.r - 8.5, r.b - 8.5)})
        Screw(p, s, 4);
    if (!title.isEmpty()) {
        p.setFont(Font(11));
        const double tw = QFontMetricsF(p.font()).horizontalAdvance(title);
        const double cx = (r.l + r.r) / 2.0, y = r.t + 11.5;
        Text(p, QRectF(cx - tw / 2 - 4, r.t + 3, tw + 8, 17), title, 11);
        p.setPen(QPen(kLabel, 1));
        p.drawLine(QPointF(r.l + 20, y), QPointF(cx - tw / 2 - 7, y));
        p.drawLine(QPointF(cx + tw / 2 + 7, y), QPointF(r.r - 20, y));
    }
    p.restore();
}

// Toggle switch: lever up (+1), toward the viewer (0) or down (-1), on flat paint.
void ToggleArt(QPainter& p, const QRect& r, int pos, const QColor& paint = kPlate)
{
    p.save();
    p.setClipRect(r, Qt::IntersectClip); // a piece must cover everything it paints
    p.fillRect(r, paint);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c = QRectF(r).center();
    QRadialGradient nut(c + QPointF(-2, -3), 12);
    nut.setColorAt(0, QColor(190, 190, 186));
    nut.setColorAt(1, QColor(58, 60, 62));
    p.setPen(QPen(QColor(14, 14, 16), 1));
    p.setBrush(nut);
    p.drawEllipse(c, 8.5, 8.5);
    p.setBrush(QColor(22, 22, 24));
    p.drawEllipse(c, 4.5, 4.5);
    auto ball = [&](QPointF at, double rad) {
        QRadialGradient g(at + QPointF(-rad * 0.4, -rad * 0.5), rad * 1.6);
        g.setColorAt(0, QColor(250, 250, 246));
        g.setColorAt(1, QColor(96, 98, 100));
        p.setPen(QPen(QColor(20, 20, 22), 1));
        p.setBrush(g);
        p.drawEllipse(at, rad, rad);
    };
    if (pos == 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawEllipse(c + QPointF(2, 2.5), 6, 6);
        ball(c, 6);
    } else {
        const double len = r.height() / 2.0 - 6;
        const QPointF tip = c + QPointF(0, -pos * len);
        QPolygonF shaft;
        shaft << c + QPointF(-3, 0) << tip + QPointF(-2, 0) << tip + QPointF(2, 0)
              << c + QPointF(3, 0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawPolygon(shaft.translated(3, 3));
        p.drawEllipse(tip + QPointF(3, 3), 4.5, 4.5);
        QLinearGradient g(c.x() - 3, 0, c.x() + 3, 0);
        g.setColorAt(0, QColor(110, 112, 114));
        g.setColorAt(0.4, QColor(236, 236, 232));
        g.setColorAt(1, QColor(90, 92, 94));
        p.setBrush(g);
        p.setPen(QPen(QColor(20, 20, 22), 0.8));
        p.drawPolygon(shaft);
        ball(tip, 4.5);
    }
    p.restore();
}

// Square push button; pressed buttons sit lower and darker.
void KeyArt(QPainter& p, const QRect& r, const QString& legend, bool pressed, const QColor& paint,
            double px = 10, const QColor& legendColour = kLabel)
{
    p.save();
    p.setClipRect(r, Qt::IntersectClip); // a piece must cover everything it paints
    p.fillRect(r, paint);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 14));
    p.drawRoundedRect(body, 3, 3);
    QRectF face = body.adjusted(1.5, 1.2, -1.5, -2.6);
    if (pressed)
        face = face.adjusted(0.6, 1.6, -0.6, 1.2);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    g.setColorAt(0, pressed ? QColor(44, 46, 49) : QColor(92, 96, 100));
    g.setColorAt(1, pressed ? QColor(34, 36, 38) : QColor(52, 55, 58));
    p.setBrush(g);
    p.setPen(QPen(QColor(10, 10, 12), 1));
    p.drawRoundedRect(face, 2.5, 2.5);
    if (!pressed) {
        p.setPen(QPen(QColor(255, 255, 255, 50), 1));
        p.drawLine(face.topLeft() + QPointF(3, 1), face.topRight() + QPointF(-3, 1));
    }
    if (!legend.isEmpty())
        Text(p, face, legend, px, pressed ? legendColour.darker(125) : legendColour);
    p.restore();
}

// Lighted push button: dark glass, the legend glows when lit.
void LitKeyArt(QPainter& p, const QRect& r, const QString& legend, const QColor& colour, bool lit,
               const QColor& paint)
{
    p.save();
    p.setClipRect(r, Qt::IntersectClip); // a piece must cover everything it paints
    p.fillRect(r, paint);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(8, 8, 8), 1));
    p.setBrush(QColor(16, 16, 17));
    p.drawRoundedRect(body, 3, 3);
    const QRectF glass = body.adjusted(3, 3, -3, lit ? -2 : -3);
    QLinearGradient g(glass.topLeft(), glass.bottomLeft());
    if (lit) {
        g.setColorAt(0, colour.darker(330));
        g.setColorAt(1, colour.darker(520));
    } else {
        g.setColorAt(0, QColor(40, 40, 38));
        g.setColorAt(1, QColor(26, 26, 25));
    }
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRect(glass);
    Text(p, glass, legend, legend.contains('\n') || legend.size() < 6 ? 8.5 : 7,
         lit ? colour.lighter(140) : QColor(96, 94, 86));
    p.restore();
}

// Rectangular warning lamp.
void LampArt(QPainter& p, const QRect& r, const QString& legend, const QColor& colour, bool lit,
             double px = 8.5)
{
    p.save();
    p.fillRect(r, QColor(8, 8, 8));
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF glass = QRectF(r).adjusted(2, 2, -2, -2);
    if (lit) {
        QRadialGradient g(glass.center(), std::max(glass.width(), glass.height()) * 0.6);
        g.setColorAt(0, colour.darker(200));
        g.setColorAt(1, colour.darker(420));
        p.fillRect(glass, g);
        Text(p, glass, legend, px, colour.lighter(135));
    } else {
        QLinearGradient g(glass.topLeft(), glass.bottomLeft());
        g.setColorAt(0, QColor(46, 44, 40));
        g.setColorAt(1, QColor(30, 29, 27));
        p.fillRect(glass, g);
        Text(p, glass, legend, px, QColor(98, 94, 84));
    }
    p.setPen(QPen(QColor(255, 255, 255, 26), 1));
    p.drawLine(glass.topLeft() + QPointF(1, 1), glass.topRight() + QPointF(-1, 1));
    p.restore();
}

// Round lamp (landing gear). Transparent pieces keep pure blue around an aliased disc.
void RoundLampArt(QPainter& p, const QRect& r, const QColor& colour, bool lit, bool keyed)
{
    p.save();
    if (keyed)
        p.fillRect(r, kKey);
    const QPointF c = QRectF(r).center();
    const double rad = r.width() / 2.0 - 0.5;
    QRadialGradient g(c + QPointF(-rad * 0.3, -rad * 0.3), rad * 1.3);
    if (lit) {
        g.setColorAt(0, colour.lighter(170));
        g.setColorAt(0.5, colour);
        g.setColorAt(1, colour.darker(220));
    } else {
        g.setColorAt(0, QColor(56, 66, 56));
        g.setColorAt(1, QColor(20, 24, 20));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, rad, rad);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(QColor(255, 255, 255, lit ? 110 : 40));
    p.drawEllipse(c + QPointF(-rad * 0.35, -rad * 0.4), rad * 0.28, rad * 0.2);
    p.restore();
}

// A digit of a drum counter (white on black) or of a segment display (amber).
void DrumDigitArt(QPainter& p, const QRect& r, int digit)
{
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(2, 2, 2));
    g.setColorAt(0.25, QColor(26, 26, 27));
    g.setColorAt(0.75, QColor(26, 26, 27));
    g.setColorAt(1, QColor(2, 2, 2));
    p.fillRect(r, g);
    p.setRenderHint(QPainter::Antialiasing, true);
    Text(p, QRectF(r).adjusted(0, 1, 0, 0), QString::number(digit), r.height() * 0.72,
         QColor(240, 240, 232));
    p.restore();
}

void SegmentDigitArt(QPainter& p, const QRect& r, int digit)
{
    static const char* const kSegments[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                              "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    p.save();
    p.fillRect(r, QColor(22, 12, 4));
    p.setRenderHint(QPainter::Antialiasing, true);
    const double x0 = r.left() + 3.5, x1 = r.right() - 2.5, y0 = r.top() + 3, y2 = r.bottom() - 2.5;
    const double y1 = (y0 + y2) / 2, k = 1.0; // slant
    auto seg = [&](QPointF a, QPointF b, bool on) {
        p.setPen(
            QPen(on ? QColor(255, 176, 48) : QColor(48, 28, 10), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
    };
    const std::string on = kSegments[digit];
    auto has = [&](char s) { return on.find(s) != std::string::npos; };
    const QPointF A(x0 + 2 * k, y0), B(x1 + 2 * k, y0), C(x0 + k, y1), D(x1 + k, y1), E(x0, y2),
        F(x1, y2);
    const double s = 1.6;
    seg(A + QPointF(s, 0), B - QPointF(s, 0), has('a'));
    seg(B + QPointF(0, s), D - QPointF(0, s), has('b'));
    seg(D + QPointF(0, s), F - QPointF(0, s), has('c'));
    seg(E + QPointF(s, 0), F - QPointF(s, 0), has('d'));
    seg(C + QPointF(0, s), E - QPointF(0, s), has('e'));
    seg(A + QPointF(0, s), C - QPointF(0, s), has('f'));
    seg(C + QPointF(s, 0), D - QPointF(s, 0), has('g'));
    p.restore();
}

// Frame around a row of counter digits.
void CounterFrame(QPainter& p, const R& window)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(8, 8, 8), 1));
    p.setBrush(QColor(14, 14, 15));
    p.drawRoundedRect(window.f().adjusted(-4, -3, 4, 3), 3, 3);
    p.restore();
}

struct DialScale
{
    double startDeg;             // direction of the first mark, counter-clockwise from east
    double sweepDeg;             // negative: the scale runs clockwise
    std::vector<double> majors;  // values of the long marks, first to last
    int minors = 4;              // short marks between two long ones
    std::vector<QString> labels; // text of each long mark (empty: none)
    QString title, sub;
    double redFrom = 1e9; // values above this get a red arc
};

double DialAngle(const DialScale& s, double v)
{
    const double v0 = s.majors.front(), v1 = s.majors.back();
    return s.startDeg + s.sweepDeg * (v - v0) / (v1 - v0);
}

// A round instrument: square bezel with screws, metal ring, black face, marks and numbers.
void DialArt(QPainter& p, QPointF c, double rad, const DialScale& s, bool hub = true)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const double half = rad + 9;
    const QRectF bez(c.x() - half, c.y() - half, 2 * half, 2 * half);
    QLinearGradient bg(bez.topLeft(), bez.bottomRight());
    bg.setColorAt(0, QColor(50, 52, 55));
    bg.setColorAt(1, QColor(24, 25, 27));
    p.setPen(QPen(QColor(8, 8, 9), 1));
    p.setBrush(bg);
    p.drawRoundedRect(bez, 9, 9);
    for (int i = 0; i < 4; ++i)
        Screw(p, c + QPointF((i % 2 ? 1 : -1) * (half - 7), (i / 2 ? 1 : -1) * (half - 7)), 3.5);
    QRadialGradient ring(c + QPointF(-rad * 0.3, -rad * 0.4), rad * 1.4);
    ring.setColorAt(0, QColor(120, 122, 124));
    ring.setColorAt(1, QColor(30, 31, 33));
    p.setBrush(ring);
    p.drawEllipse(c, rad + 5, rad + 5);
    p.setBrush(QColor(9, 9, 10));
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.drawEllipse(c, rad, rad);

    if (s.redFrom < s.majors.back()) {
        const double a0 = DialAngle(s, s.redFrom), a1 = DialAngle(s, s.majors.back());
        p.setPen(QPen(kRed, 3.5, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        const double rr = rad - 4;
        p.drawArc(QRectF(c.x() - rr, c.y() - rr, 2 * rr, 2 * rr), int(a0 * 16),
                  int((a1 - a0) * 16));
    }
    for (size_t i = 0; i < s.majors.size(); ++i) {
        const double a = DialAngle(s, s.majors[i]);
        p.setPen(QPen(kLabel, 2.2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(Polar(c, rad - 2, a), Polar(c, rad - 12, a));
        if (i < s.labels.size() && !s.labels[i].isEmpty())
            TextAt(p, Polar(c, rad - 22, a), s.labels[i], rad > 70 ? 13 : 11);
        if (i + 1 < s.majors.size())
            for (int m = 1; m <= s.minors; ++m) {
                const double v = s.majors[i] + (s.majors[i + 1] - s.majors[i]) * m / (s.minors + 1);
                const double b = DialAngle(s, v);
                p.setPen(QPen(kLabel, 1.1));
                p.drawLine(Polar(c, rad - 2, b), Polar(c, rad - 7, b));
            }
    }
    if (!s.title.isEmpty())
        TextAt(p, c + QPointF(0, -rad * 0.36), s.title, rad > 70 ? 11 : 9.5);
    if (!s.sub.isEmpty())
        TextAt(p, c + QPointF(0, rad * 0.42), s.sub, 8, QColor(200, 200, 190), false);
    if (hub) {
        QRadialGradient h(c + QPointF(-2, -2), 8);
        h.setColorAt(0, QColor(110, 110, 110));
        h.setColorAt(1, QColor(20, 20, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(h);
        p.drawEllipse(c, 6, 6);
    }
    // glass reflection
    QPainterPath glare;
    glare.addEllipse(c, rad - 1, rad - 1);
    QPainterPath cut;
    cut.addEllipse(c + QPointF(rad * 0.25, rad * 0.3), rad * 1.05, rad * 1.05);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 14));
    p.drawPath(glare.subtracted(cut));
    p.restore();
}

// Ribbed knob with a pointer line.
void KnobArt(QPainter& p, QPointF c, double rad, double pointerDeg)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 100));
    p.drawEllipse(c + QPointF(2.5, 3), rad, rad);
    QRadialGradient g(c + QPointF(-rad * 0.3, -rad * 0.4), rad * 1.5);
    g.setColorAt(0, QColor(74, 76, 80));
    g.setColorAt(1, QColor(14, 14, 16));
    p.setBrush(g);
    p.setPen(QPen(QColor(6, 6, 6), 1));
    p.drawEllipse(c, rad, rad);
    p.setPen(QPen(QColor(90, 92, 96), 1));
    for (int i = 0; i < 24; ++i)
        p.drawLine(Polar(c, rad - 0.5, i * 15.0), Polar(c, rad - 3, i * 15.0));
    p.setBrush(QColor(34, 35, 38));
    p.setPen(QPen(QColor(8, 8, 8), 1));
    p.drawEllipse(c, rad * 0.62, rad * 0.62);
    p.setPen(QPen(kLabel, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(Polar(c, rad * 0.15, pointerDeg), Polar(c, rad * 0.85, pointerDeg));
    p.restore();
}

// Knob with its switch positions written around it.
void SelectorArt(QPainter& p, QPointF c, double rad, const std::vector<QString>& names,
                 double firstDeg, double stepDeg, int selected, const QString& title)
{
    for (size_t i = 0; i < names.size(); ++i) {
        const double a = firstDeg + stepDeg * double(i);
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(kLabel, 1.2));
        p.drawLine(Polar(c, rad + 2, a), Polar(c, rad + 6, a));
        p.restore();
        const QPointF at = Polar(c, rad + 9, a);
        const double ca = std::cos(a * kPi / 180.0);
        if (ca > 0.3)
            Text(p, QRectF(at.x(), at.y() - 7, 60, 14), names[i], 8, kLabel,
                 Qt::AlignLeft | Qt::AlignVCenter);
        else if (ca < -0.3)
            Text(p, QRectF(at.x() - 60, at.y() - 7, 60, 14), names[i], 8, kLabel,
                 Qt::AlignRight | Qt::AlignVCenter);
        else
            Text(p, QRectF(at.x() - 30, at.y() - 13, 60, 12), names[i], 8, kLabel,
                 Qt::AlignHCenter | Qt::AlignBottom);
    }
    KnobArt(p, c, rad, firstDeg + stepDeg * selected);
    if (!title.isEmpty())
        TextAt(p, c + QPointF(0, rad + 16), title, 9.5);
}

// Dark glass of a display with a faint reflection.
void ScreenArt(QPainter& p, const R& screen, const QColor& glass)
{
    p.save();
    p.fillRect(screen.q(), glass);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPolygonF shine;
    shine << QPointF(screen.l, screen.t) << QPointF(screen.l + screen.w() * 0.55, screen.t)
          << QPointF(screen.l, screen.t + screen.h() * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 9));
    p.drawPolygon(shine);
    p.restore();
}

// Paints a template piece on a panel picture; a transparent piece leaves the panel where it is
// pure blue, as the editor's transparent copy does.
void PaintPiece(QImage& panel, const R& dest, const DrawFn& draw, bool transparent)
{
    QImage piece(dest.w(), dest.h(), QImage::Format_ARGB32);
    {
        QPainter p(&piece);
        draw(p, piece.rect());
    }
    if (transparent)
        for (int y = 0; y < piece.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
            for (int x = 0; x < piece.width(); ++x)
                if ((line[x] & 0xffffff) == 0x0000ff)
                    line[x] = 0;
        }
    QPainter p(&panel);
    p.drawImage(dest.l, dest.t, piece);
}

// ---------------------------------------------------------------------------------------------
// The cockpit being built: records as text, made once the template is packed.

using TextFn = std::function<std::string()>;

struct CSurfaceDef
{
    int id;
    R rect;
};

struct CPanelDef
{
    int id = 0;
    std::string name;
    std::string file;
    QImage img;
    int lastId = 0;
    std::vector<int> objects, views;
    std::vector<CSurfaceDef> surfaces;
    int adj[8] = {-1, -1, -1, -1, -1, -1, -1, -1}; // N NE E SE S SW W NW
    float pan = 0, tilt = 0;
    int masktop = 1;
    R mfdLeft, mfdRight, hud, rwr, mouse;
    std::vector<std::pair<float, float>> osbLeft, osbRight;

    int NewId()
    {
        if (lastId == 0)
            lastId = id;
        if (++lastId >= id + 100)
            throw std::runtime_error("panel " + name + " holds too many records");
        return lastId;
    }
};

class CCockpit
{
public:
    CTemplate tmpl;
    std::vector<std::unique_ptr<CPanelDef>> panels;
    std::vector<TextFn> sounds, buttons, objects, views;
    std::map<int, int> viewsOfButton;
    int nextButton = 1019; // 1001 to 1018 are the keys of the up-front controls
    int nextCallback = 1;

    enum
    {
        kClick = 1,
        kToggle = 2,
        kGear = 3
    };

    CPanelDef& Panel(int id, const std::string& name, const std::string& file)
    {
        auto p = std::make_unique<CPanelDef>();
        p->id = id;
        p->name = name;
        p->file = file;
        p->img = QImage(kScreenW, kScreenH, QImage::Format_RGB32);
        p->img.fill(QColor(0, 0, 0));
        p->mouse = {0, 0, kScreenW, kScreenH};
        panels.push_back(std::move(p));
        return *panels.back();
    }

    void Surface(CPanelDef& P, const R& r)
    {
        for (const CSurfaceDef& s : P.surfaces)
            if (s.rect.Overlaps(r))
                throw std::runtime_error("surfaces of " + P.name + " overlap");
        P.surfaces.push_back({P.NewId(), r});
    }

    int Sound(int id, const std::string& name, int entry)
    {
        sounds.push_back([=] { return Head(name, id, "SOUND") + KInt("entry", entry) + kEnd; });
        return id;
    }

    int Button(const std::string& name, int states, int sound1, int sound2, int delay, int id = 0)
    {
        if (id == 0)
            id = nextButton++;
        const int slot = nextCallback++;
        buttons.push_back([=, this] {
            std::string s = Head(name, id, "BUTTON") + KInt("states", states) +
                            KInt("delay", delay) + KInt("cursorid", 0) + KInt("initstate", 0);
            if (sound1 >= 0)
                s += KInt("sound1", sound1);
            if (sound2 >= 0)
                s += KInt("sound2", sound2);
            return s + KInt("callbackslot", slot) + KInt("numbuttonviews", viewsOfButton[id]) +
                   kEnd;
        });
        return id;
    }

    // A picture of a button on a panel; state 0 is what the panel's own picture shows.
    int View(CPanelDef& P, const std::string& name, int button, const R& dest,
             std::vector<int> pieces, bool transparent = false)
    {
        const int id = P.NewId();
        P.views.push_back(id);
        ++viewsOfButton[button];
        views.push_back([=, this] {
            std::string s = Head(name, id, "BUTTONVIEW") + KInt("states", int(pieces.size()));
            for (int piece : pieces)
                s += KRect("srcloc", tmpl.At(piece));
            return s + KInt("parentbutton", button) + KDest("destloc", transparent, dest) +
                   KInt("persistant", 0) + kEnd;
        });
        return id;
    }

    int NewObjectId(CPanelDef& P)
    {
        const int id = P.NewId();
        P.objects.push_back(id);
        return id;
    }

    // A light: state 0 (off) is painted on the panel; every state has its piece.
    int Light(CPanelDef& P, const std::string& name, const R& dest,
              const std::vector<DrawFn>& states, bool transparent = false, int persistant = 0)
    {
        PaintPiece(P.img, dest, states[0], transparent);
        std::vector<int> pieces;
        for (const DrawFn& f : states)
            pieces.push_back(tmpl.Add(dest.w(), dest.h(), f));
        const int id = NewObjectId(P);
        const int slot = nextCallback++;
        objects.push_back([=, this] {
            std::string s = Head(name, id, "LIGHT") + KHex("cyclebits", 0xffff) +
                            KInt("cursorid", 0) + KInt("initstate", 0) +
                            KInt("callbackslot", slot) +
                            KInt("persistant", persistant == 2 ? 3 : persistant) +
                            KInt("states", int(pieces.size()));
            for (int piece : pieces)
                s += KRect("srcloc", tmpl.At(piece));
            return s + KDest("destloc", transparent, dest) + kEnd;
        });
        return id;
    }

    // A warning lamp with one lit colour.
    int Lamp(CPanelDef& P, const std::string& name, const R& dest, const QString& legend,
             const QColor& colour, double px = 8.5)
    {
        return Light(
            P, name, dest,
            {[=](QPainter& p, const QRect& r) { LampArt(p, r, legend, colour, false, px); },
             [=](QPainter& p, const QRect& r) { LampArt(p, r, legend, colour, true, px); }});
    }

    // A toggle switch: positions[0] is painted on the panel, the button has one state each.
    int Toggle(CPanelDef& P, const std::string& name, QPoint centre,
               const std::vector<int>& positions, const std::vector<QString>& legends,
               const QString& caption, const QColor& paint = kPlate)
    {
        const R dest = Box(centre.x() - 13, centre.y() - 23, 26, 46);
        QPainter bg(&P.img);
        ToggleArt(bg, dest.q(), positions[0], paint);
        // Position legends: up above, centre at the right, down below.
        for (size_t i = 0; i < positions.size() && i < legends.size(); ++i) {
            const int pos = positions[i];
            if (pos > 0)
                TextAt(bg, QPointF(centre.x(), dest.t - 7), legends[i], 8.5);
            else if (pos < 0)
                TextAt(bg, QPointF(centre.x(), dest.b + 7), legends[i], 8.5);
            else
                Text(bg, QRectF(dest.r + 2, centre.y() - 8, 60, 16), legends[i], 8.5, kLabel,
                     Qt::AlignLeft | Qt::AlignVCenter);
        }
        if (!caption.isEmpty()) {
            bool down = std::find(positions.begin(), positions.end(), -1) != positions.end();
            TextAt(bg, QPointF(centre.x(), dest.b + (down ? 20 : 9)), caption, 9.5);
        }
        bg.end();
        std::vector<int> pieces;
        for (int pos : positions)
            pieces.push_back(
                tmpl.Shared(Fmt("toggle%d/%d", pos, paint.rgb()), dest.w(), dest.h(),
                            [=](QPainter& p, const QRect& r) { ToggleArt(p, r, pos, paint); }));
        const int button = Button(name, int(positions.size()), kToggle, kToggle, -1);
        View(P, name, button, dest, pieces);
        return button;
    }

    // A push button with a legend: out in state 0, pressed in state 1.
    int Key(CPanelDef& P, const std::string& name, const R& dest, const QString& legend,
            const QColor& paint, int buttonId = 0, double px = 10)
    {
        QPainter bg(&P.img);
        KeyArt(bg, dest.q(), legend, false, paint, px);
        bg.end();
        const std::string key =
            Fmt("key/%s/%d/%dx%d", legend.toStdString().c_str(), paint.rgb(), dest.w(), dest.h());
        const int up =
            tmpl.Shared(key + "/up", dest.w(), dest.h(), [=](QPainter& p, const QRect& r) {
                KeyArt(p, r, legend, false, paint, px);
            });
        const int down =
            tmpl.Shared(key + "/down", dest.w(), dest.h(), [=](QPainter& p, const QRect& r) {
                KeyArt(p, r, legend, true, paint, px);
            });
        const int button = Button(name, 2, kClick, -1, 2, buttonId);
        View(P, name, button, dest, {up, down});
        return button;
    }

    void Write(const std::string& folder, const std::string& templateFile) const;
};

// ---------------------------------------------------------------------------------------------
// Instruments shared by the panels

struct TapeScale
{
    double top, bottom; // values at the first and last mark
    double pxPerUnit;
    double minorStep, majorStep;
    std::function<QString(double)> label;
    std::vector<std::tuple<double, double, QColor>> bands;
};

void TapeArt(QPainter& p, const QRect& r, const TapeScale& s)
{
    p.save();
    p.fillRect(r, QColor(10, 10, 11));
    p.setRenderHint(QPainter::Antialiasing, true);
    const double y0 = r.top() + 10;
    auto yOf = [&](double v) { return y0 + (s.top - v) * s.pxPerUnit; };
    for (const auto& [from, to, colour] : s.bands)
        p.fillRect(QRectF(r.left() + 1, yOf(to), 5, yOf(from) - yOf(to)), colour);
    const int n = int(std::lround((s.top - s.bottom) / s.minorStep));
    for (int i = 0; i <= n; ++i) {
        const double v = s.top - i * s.minorStep;
        const double y = yOf(v);
        const bool major = std::fabs(std::remainder(v, s.majorStep)) < 1e-6;
        p.setPen(QPen(kLabel, major ? 1.8 : 1.0));
        p.drawLine(QPointF(r.left() + 7, y), QPointF(r.left() + (major ? 17 : 12), y));
        if (major)
            Text(p, QRectF(r.left() + 17, y - 8, r.width() - 18, 16), s.label(v), 10.5);
    }
    p.restore();
}

// Window of a tape instrument with its fixed index.
void TapeWindowArt(QPainter& p, const R& window, const QString& title)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF frame = window.f().adjusted(-7, -7, 7, 7);
    p.setPen(QPen(QColor(6, 6, 6), 1));
    p.setBrush(QColor(30, 31, 33));
    p.drawRoundedRect(frame, 5, 5);
    p.fillRect(window.q(), QColor(10, 10, 11));
    const double y = window.c().y();
    QPolygonF index;
    index << QPointF(window.r + 6, y - 6) << QPointF(window.r - 3, y)
          << QPointF(window.r + 6, y + 6);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(255, 214, 40));
    p.drawPolygon(index);
    p.restore();
    TextAt(p, QPointF(window.c().x(), window.t - 18), title, 10.5);
}

void AdiBallArt(QPainter& p, const QRect& r)
{
    p.save();
    p.fillRect(r, kKey);
    const QPointF c = QRectF(r).center();
    const double rad = r.width() / 2.0;
    QPainterPath clip;
    clip.addEllipse(c, rad, rad);
    p.setClipPath(clip, Qt::IntersectClip);
    QLinearGradient sky(0, r.top(), 0, c.y());
    sky.setColorAt(0, QColor(28, 78, 150));
    sky.setColorAt(1, QColor(86, 150, 214));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), c.y() - r.top()), sky);
    QLinearGradient ground(0, c.y(), 0, r.bottom());
    ground.setColorAt(0, QColor(128, 84, 44));
    ground.setColorAt(1, QColor(70, 44, 22));
    p.fillRect(QRectF(r.left(), c.y(), r.width(), r.bottom() + 1 - c.y()), ground);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(250, 250, 250), 2));
    p.drawLine(QPointF(r.left(), c.y()), QPointF(r.right() + 1, c.y()));
    const double ppd = 2.4;
    for (int deg = -25; deg <= 25; deg += 5) {
        if (deg == 0)
            continue;
        const double y = c.y() - deg * ppd;
        const double half = deg % 10 == 0 ? 22 : 10;
        p.setPen(QPen(QColor(245, 245, 245), deg % 10 == 0 ? 1.6 : 1.1));
        p.drawLine(QPointF(c.x() - half, y), QPointF(c.x() + half, y));
        if (deg % 10 == 0) {
            const QString n = QString::number(std::abs(deg));
            Text(p, QRectF(c.x() - half - 20, y - 7, 18, 14), n, 9.5, QColor(245, 245, 245),
                 Qt::AlignRight | Qt::AlignVCenter);
            Text(p, QRectF(c.x() + half + 2, y - 7, 18, 14), n, 9.5, QColor(245, 245, 245),
                 Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    p.restore();
}

void CompassCardArt(QPainter& p, const QRect& r, double cardRad)
{
    p.save();
    p.fillRect(r, kKey);
    const QPointF c = QRectF(r).center();
    QPainterPath clip;
    clip.addEllipse(c, cardRad, cardRad);
    p.setClipPath(clip, Qt::IntersectClip);
    QRadialGradient g(c, cardRad);
    g.setColorAt(0, QColor(22, 23, 25));
    g.setColorAt(1, QColor(40, 41, 44));
    p.fillRect(r, g);
    p.setRenderHint(QPainter::Antialiasing, true);
    static const char* const kNames[12] = {"N", "3",  "6",  "E", "12", "15",
                                           "S", "21", "24", "W", "30", "33"};
    for (int deg = 0; deg < 360; deg += 5) {
        const double a = 90.0 - deg;
        const double len = deg % 30 == 0 ? 12 : deg % 10 == 0 ? 9 : 5;
        p.setPen(QPen(kLabel, deg % 10 == 0 ? 1.7 : 1.0));
        p.drawLine(Polar(c, cardRad - 1, a), Polar(c, cardRad - 1 - len, a));
        if (deg % 30 == 0) {
            p.save();
            p.translate(c);
            p.rotate(deg);
            const bool letter = deg % 90 == 0;
            Text(p, QRectF(-16, -cardRad + 13, 32, 18), kNames[deg / 30], letter ? 15 : 12.5,
                 kLabel);
            p.restore();
        }
    }
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, cardRad * 0.48, cardRad * 0.48);
    p.restore();
}

// Small mechanical counter with fixed digits, used on the HSI.
void CounterArt(QPainter& p, const QRect& r, const QString& digits)
{
    p.save();
    p.fillRect(r, QColor(6, 6, 6));
    const int n = int(digits.size());
    const double w = (r.width() - 2.0) / n;
    for (int i = 0; i < n; ++i) {
        const QRectF d(r.left() + 1 + i * w, r.top() + 1, w - 1, r.height() - 2);
        QLinearGradient g(d.topLeft(), d.bottomLeft());
        g.setColorAt(0, QColor(4, 4, 4));
        g.setColorAt(0.5, QColor(30, 30, 31));
        g.setColorAt(1, QColor(4, 4, 4));
        p.fillRect(d, g);
        p.setRenderHint(QPainter::Antialiasing, true);
        Text(p, d, digits.mid(i, 1), r.height() * 0.7, QColor(236, 236, 228));
    }
    p.restore();
}

// ---------------------------------------------------------------------------------------------
// Writing the cockpit file

void CCockpit::Write(const std::string& folder, const std::string& templateFile) const
{
    const CPanelDef& front = *panels.front();
    int nSurfaces = 0;
    for (const auto& P : panels)
        nSurfaces += int(P->surfaces.size());
    std::string s;
    s += "\n// Name: Vireo Demo Cockpit\r\n"
         "// A small fighter cockpit in four views, drawn by vireo-drawdemo.\r\n";
    s += "#0 MANAGER\n";
    s += KInt("numsurfaces", nSurfaces) + KInt("numpanels", int(panels.size())) +
         KInt("numcursors", 0) + KInt("numobjects", int(objects.size())) +
         KInt("numbuttons", int(buttons.size())) + KInt("numbuttonviews", int(views.size())) +
         KInt("numsounds", int(sounds.size()));
    s += KInt("mouseborder", 4) + KInt("hudfont", 1) + KInt("dedfont", 2) + KInt("mfdfont", 1) +
         KInt("popupfont", 3) + KInt("saboxfont", 3) + KInt("kneefont", 2) +
         KInt("generalfont", 0) + KInt("labelfont", 0);
    s += KRect("mfdleft", front.mfdLeft) + KRect("mfdright", front.mfdRight) +
         KRect("hud", front.hud) + KRect("rwr", front.rwr);
    s += Fmt("\ttemplatefile %d %d %s;\n", tmpl.Width(), tmpl.Height(), templateFile.c_str());
    s += kEnd;
    for (const auto* list : {&sounds, &buttons, &objects, &views})
        for (const TextFn& f : *list)
            s += f();
    auto osbs = [](const char* key, const std::vector<std::pair<float, float>>& pts) {
        std::string line = Fmt("\t%s = ", key);
        for (const auto& [x, y] : pts)
            line += Fmt(" %g %g", double(x), double(y));
        return line + ";\n";
    };
    for (const auto& P : panels) {
        s += Head(P->name, P->id, "PANEL");
        s += KInt("numsurfaces", int(P->surfaces.size())) +
             KInt("numobjects", int(P->objects.size())) +
             KInt("numbuttonviews", int(P->views.size()));
        if (!P->mfdLeft.Null())
            s += KRect("mfdleft", P->mfdLeft) + osbs("osbleft", P->osbLeft);
        if (!P->mfdRight.Null())
            s += KRect("mfdright", P->mfdRight) + osbs("osbright", P->osbRight);
        s += KRect("hud", P->hud) + KRect("rwr", P->rwr) + KRect("mousebounds", P->mouse);
        s += "\tadjpanels = ";
        for (int a : P->adj)
            s += Fmt(" %d", a);
        s += ";\n";
        for (const CSurfaceDef& sf : P->surfaces)
            s += Fmt("\tsurfaces = %d %d %s %d %d %d %d;\n", sf.id, 0, "opaque", sf.rect.t,
                     sf.rect.l, sf.rect.b, sf.rect.r);
        auto ids = [](const char* key, const std::vector<int>& list) {
            if (list.empty())
                return std::string();
            std::string line = Fmt("\t%s = ", key);
            for (int id : list)
                line += Fmt(" %d", id);
            return line + ";\n";
        };
        s += ids("objects", P->objects);
        s += "\toffset = 0 0;\n";
        s += ids("buttonviews", P->views);
        s += Fmt("\tpantilt = %g %g;\n", double(P->pan), double(P->tilt));
        s += KInt("masktop", P->masktop) + KInt("cursorid", 0) + kEnd;
    }
    for (const auto& P : panels) {
        s += Head(P->name + " Picture", P->id, "BUFFER") + KStr("filename", P->file) +
             Fmt("\tbuffersize = %d %d;\n", kScreenW, kScreenH) + kEnd;
        int n = 0;
        for (const CSurfaceDef& sf : P->surfaces)
            s += Head(Fmt("%s Surface %d", P->name.c_str(), ++n), sf.id, "SURFACE") +
                 KStr("filename", P->file) + KRect("srcloc", sf.rect) + kEnd;
    }
    s += "// END OF THINGS WE KNOW ABOUT\n";

    QFile out(QString::fromStdString(folder + "/10_demo.dat"));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(s.data(), qint64(s.size())) != qint64(s.size()))
        throw std::runtime_error("cannot write " + out.fileName().toStdString());
}

// ---------------------------------------------------------------------------------------------
// Instrument records

std::vector<R> Row(int x, int y, int n)
{
    std::vector<R> r;
    for (int i = 0; i < n; ++i)
        r.push_back(Box(x + i * 17, y, 16, 24));
    return r;
}

// A counter of digit places; every place shows one of the ten shared digit pieces.
int AddDigits(CCockpit& C, CPanelDef& P, const std::string& name, const std::vector<R>& places,
              bool segment)
{
    QPainter bg(&P.img);
    for (const R& d : places)
        CounterFrame(bg, d);
    for (const R& d : places)
        segment ? SegmentDigitArt(bg, d.q(), 0) : DrumDigitArt(bg, d.q(), 0);
    bg.end();
    std::vector<int> src;
    for (int digit = 0; digit < 10; ++digit)
        src.push_back(C.tmpl.Shared(Fmt("%s%d", segment ? "segment" : "drum", digit), 16, 24,
                                    [=](QPainter& p, const QRect& r) {
                                        segment ? SegmentDigitArt(p, r, digit)
                                                : DrumDigitArt(p, r, digit);
                                    }));
    const int id = C.NewObjectId(P);
    const int slot = C.nextCallback++;
    C.objects.push_back([=, &C] {
        std::string s = Head(name, id, "DIGITS") + KHex("cyclebits", 0xffff) +
                        KInt("numdigits", int(places.size())) + KInt("callbackslot", slot) +
                        KInt("persistant", 0);
        for (int piece : src)
            s += KRect("srcloc", C.tmpl.At(piece));
        for (const R& d : places)
            s += KRect("destloc", d);
        return s + kEnd;
    });
    return id;
}

double NormalRadians(double deg)
{
    double a = std::remainder(deg * kPi / 180.0, 2 * kPi);
    if (a <= -kPi)
        a += 2 * kPi;
    return a;
}

// A needle instrument. Its face is painted on the panel and kept in the template at the same
// place, so the needle turns about the centre of the face.
int AddDial(CCockpit& C, CPanelDef& P, const std::string& name, QPoint centre, int rad,
            const DialScale& s)
{
    QPainter bg(&P.img);
    DialArt(bg, centre, rad, s);
    bg.end();
    const R face = Around(centre.x(), centre.y(), rad);
    const QImage* panel = &P.img;
    const int piece = C.tmpl.Fixed(
        face, [panel, face](QPainter& p, const QRect& r) { p.drawImage(r, *panel, face.q()); });
    std::string points, values;
    int count = int(s.majors.size());
    if (s.majors.front() > 0) {
        // The needle rests on a stop below the first mark.
        points += Fmt(" %g", double(Round3(NormalRadians(s.startDeg + 15))));
        values += " 0";
        ++count;
    }
    for (double v : s.majors) {
        points += Fmt(" %g", double(Round3(NormalRadians(DialAngle(s, v)))));
        values += Fmt(" %g", double(Round3(v)));
    }
    const int id = C.NewObjectId(P);
    const int slot = C.nextCallback++;
    C.objects.push_back([=, &C] {
        return Head(name, id, "DIAL") + KHex("cyclebits", 0xffff) + KInt("numendpoints", count) +
               KStr("points", points) + KStr("values", values) + KInt("radius0", rad - 10) +
               KInt("radius1", -rad / 5) + KInt("radius2", 5) + KHex("color0", 0xff000000) +
               KHex("color1", 0xfff4f4ee) + KHex("color2", 0xff9a9a94) +
               KRect("srcloc", C.tmpl.At(piece)) + KRect("destloc", face) +
               KInt("callbackslot", slot) + KInt("persistant", 0) + kEnd;
    });
    return id;
}

// A vertical tape seen through a window; the template holds the whole tape.
int AddTape(CCockpit& C, CPanelDef& P, const std::string& name, const R& window,
            const QString& title, int tapeH, const TapeScale& marks, float minval, float maxval)
{
    QImage tape(window.w(), tapeH, QImage::Format_RGB32);
    {
        QPainter t(&tape);
        TapeArt(t, tape.rect(), marks);
    }
    QPainter bg(&P.img);
    TapeWindowArt(bg, window, title);
    const int d = (tapeH - window.h()) / 2;
    bg.drawImage(window.q(), tape, QRect(0, d, window.w(), window.h()));
    bg.end();
    const int piece = C.tmpl.Add(window.w(), tapeH,
                                 [marks](QPainter& p, const QRect& r) { TapeArt(p, r, marks); });
    const int id = C.NewObjectId(P);
    const int slot = C.nextCallback++;
    C.objects.push_back([=, &C] {
        return Head(name, id, "INDICATOR") + KHex("cyclebits", 0xffff) + KFloat("minval", minval) +
               KFloat("maxval", maxval) + KInt("numtapes", 1) + KInt("callbackslot", slot) +
               KInt("persistant", 0) + KInt("minpos", 10) + KInt("maxpos", tapeH - 10) +
               KRect("srcloc", C.tmpl.At(piece)) + KRect("destloc", window) +
               KStr("orientation", "vertical") + kEnd;
    });
    return id;
}

int AddDed(CCockpit& C, CPanelDef& P, const std::string& name, const R& screen, const char* type)
{
    const int id = C.NewObjectId(P);
    const int slot = C.nextCallback++;
    C.objects.push_back([=] {
        return Head(name, id, "DED") + KHex("cyclebits", 0xffff) + KInt("callbackslot", slot) +
               KHex("color0", 0xff38e0f8) + KStr("dedtype", type) + KRect("destloc", screen) + kEnd;
    });
    return id;
}

// ---------------------------------------------------------------------------------------------
// Panels

// Front view: HUD, glare shield with warning lights, up-front controls, DED, two MFDs, ADI.
void BuildFront(CCockpit& C, CPanelDef& P);
// Looking down at the flight and engine instruments, gear handle and kneeboard.
void BuildInstruments(CCockpit& C, CPanelDef& P);
// Left console: electrics, EPU, fuel, lights, radio and the throttle.
void BuildLeftConsole(CCockpit& C, CPanelDef& P);
// Right console: caution lights, oxygen, sensor power, HUD controls and the side stick.
void BuildRightConsole(CCockpit& C, CPanelDef& P);

// The cockpit frame under the plates, slightly lit from above.
void ConsoleBase(QPainter& p, const R& r)
{
    QLinearGradient g(0, r.t, 0, r.b);
    g.setColorAt(0, QColor(34, 35, 38));
    g.setColorAt(1, QColor(18, 19, 20));
    p.fillRect(r.q(), g);
}

// Glare shield: matt black with a rolled lip along its edge.
void GlareShield(QPainter& p, const R& r, bool lipAtBottom)
{
    QLinearGradient g(0, r.t, 0, r.b);
    if (lipAtBottom) {
        g.setColorAt(0, QColor(14, 14, 15));
        g.setColorAt(0.8, QColor(24, 25, 26));
        g.setColorAt(0.92, QColor(54, 55, 57));
        g.setColorAt(1, QColor(16, 16, 17));
    } else {
        g.setColorAt(0, QColor(16, 16, 17));
        g.setColorAt(0.08, QColor(62, 63, 66));
        g.setColorAt(0.2, QColor(28, 29, 30));
        g.setColorAt(1, QColor(20, 21, 22));
    }
    p.fillRect(r.q(), g);
}

// Canopy sill seen from a side view, with rivets.
void CanopySill(QPainter& p, const R& r)
{
    QLinearGradient g(0, r.t, 0, r.b);
    g.setColorAt(0, QColor(72, 74, 78));
    g.setColorAt(0.15, QColor(46, 48, 51));
    g.setColorAt(0.85, QColor(30, 31, 33));
    g.setColorAt(1, QColor(12, 12, 13));
    p.fillRect(r.q(), g);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int x = r.l + 14; x < r.r; x += 36) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 21));
        p.drawEllipse(QPointF(x + 0.6, r.t + 13.6), 2.4, 2.4);
        p.setBrush(QColor(120, 122, 126));
        p.drawEllipse(QPointF(x, r.t + 13), 2.2, 2.2);
    }
    p.restore();
}

void MfdArt(QPainter& p, const R& outer, const R& screen)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawRoundedRect(outer.f().translated(4, 5), 16, 16);
    p.setPen(QPen(QColor(8, 8, 9), 1));
    p.setBrush(kBezel);
    p.drawRoundedRect(outer.f(), 16, 16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 30), 1.2));
    p.drawRoundedRect(outer.f().adjusted(1.5, 1.5, -1.5, -1.5), 15, 15);
    p.setPen(QPen(QColor(6, 6, 7), 1));
    p.setBrush(QColor(14, 15, 16));
    p.drawRoundedRect(screen.f().adjusted(-6, -6, 6, 6), 5, 5);
    p.restore();
    ScreenArt(p, screen, QColor(4, 7, 5));
    // Rocker switches in the corners.
    const std::pair<QString, QPointF> rockers[4] = {
        {"GAIN", QPointF(outer.l + 22, outer.t + 22)},
        {"SYM", QPointF(outer.r - 22, outer.t + 22)},
        {"BRT", QPointF(outer.r - 22, outer.b - 22)},
        {"CON", QPointF(outer.l + 22, outer.b - 22)},
    };
    for (const auto& [name, c] : rockers) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.translate(c);
        p.rotate((c.x() < outer.c().x()) == (c.y() < outer.c().y()) ? 45 : -45);
        QLinearGradient g(0, -5, 0, 5);
        g.setColorAt(0, QColor(96, 98, 102));
        g.setColorAt(1, QColor(30, 31, 33));
        p.setPen(QPen(QColor(6, 6, 6), 1));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(-12, -5, 24, 10), 4, 4);
        p.setPen(QPen(QColor(20, 20, 20), 1));
        p.drawLine(QPointF(0, -5), QPointF(0, 5));
        p.restore();
        Text(p, QRectF(c.x() - 20, c.y() + (c.y() < outer.c().y() ? 8 : -20), 40, 12), name, 7.5);
    }
}

// Twenty option-select buttons around an MFD screen, numbered clockwise from the top left.
std::vector<R> OsbRects(const R& outer, const R& screen)
{
    std::vector<R> r;
    const int ow = 26, oh = 18;
    const double step = screen.w() / 5.0;
    const int topY = outer.t + (screen.t - outer.t - oh) / 2;
    const int botY = screen.b + (outer.b - screen.b - oh) / 2;
    const int leftX = outer.l + (screen.l - outer.l - oh) / 2;
    const int rightX = screen.r + (outer.r - screen.r - oh) / 2;
    for (int i = 0; i < 5; ++i)
        r.push_back(Box(int(screen.l + step * (i + 0.5) - ow / 2.0), topY, ow, oh));
    for (int i = 0; i < 5; ++i)
        r.push_back(Box(rightX, int(screen.t + step * (i + 0.5) - ow / 2.0), oh, ow));
    for (int i = 4; i >= 0; --i)
        r.push_back(Box(int(screen.l + step * (i + 0.5) - ow / 2.0), botY, ow, oh));
    for (int i = 4; i >= 0; --i)
        r.push_back(Box(leftX, int(screen.t + step * (i + 0.5) - ow / 2.0), oh, ow));
    return r;
}

void AddMfd(CCockpit& C, CPanelDef& P, const R& outer, const R& screen, bool left)
{
    QPainter bg(&P.img);
    MfdArt(bg, outer, screen);
    bg.end();
    const std::vector<R> osbs = OsbRects(outer, screen);
    auto& points = left ? P.osbLeft : P.osbRight;
    const QPointF sc = screen.c();
    for (size_t i = 0; i < osbs.size(); ++i) {
        const R& o = osbs[i];
        points.emplace_back(Round3((o.c().x() - sc.x()) / (screen.w() / 2.0)),
                            Round3((o.c().y() - sc.y()) / (screen.h() / 2.0)));
        const std::string name = Fmt("%s MFD OSB %d", left ? "Left" : "Right", int(i + 1));
        C.Key(P, name, o, QString(), kBezel, 0);
    }
    (left ? P.mfdLeft : P.mfdRight) = screen;
}

void BuildFront(CCockpit& C, CPanelDef& P)
{
    QPainter p(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);

    // HUD: two posts and the combiner's top frame; the glass is the world seen through it.
    const R postL{384, 36, 404, 246}, postR{620, 36, 640, 246}, top{404, 36, 620, 58};
    for (const R& post : {postL, postR}) {
        QLinearGradient g(post.l, 0, post.r, 0);
        g.setColorAt(0, QColor(22, 23, 25));
        g.setColorAt(0.45, QColor(70, 72, 76));
        g.setColorAt(1, QColor(18, 19, 20));
        p.fillRect(post.q(), g);
    }
    QLinearGradient tg(0, top.t, 0, top.b);
    tg.setColorAt(0, QColor(66, 68, 72));
    tg.setColorAt(1, QColor(20, 21, 23));
    p.fillRect(top.q(), tg);
    p.setPen(QPen(QColor(8, 8, 8), 1));
    p.drawLine(top.l, top.b - 1, top.r, top.b - 1);
    ScreenArt(p, Box(494, 42, 36, 11), QColor(10, 14, 20)); // camera window
    Screw(p, QPointF(414, 47), 3);
    Screw(p, QPointF(610, 47), 3);
    P.hud = {408, 62, 616, 240};

    // Glare shield with the eyebrow lights.
    const R glare{0, 246, 1024, 318};
    GlareShield(p, glare, false);
    // HUD base on the glare shield.
    QLinearGradient hb(0, glare.t, 0, glare.b);
    hb.setColorAt(0, QColor(40, 41, 44));
    hb.setColorAt(1, QColor(16, 16, 17));
    p.setPen(QPen(QColor(6, 6, 6), 1));
    p.setBrush(hb);
    QPolygonF base;
    base << QPointF(378, 246) << QPointF(646, 246) << QPointF(660, 318) << QPointF(364, 318);
    p.drawPolygon(base);
    Text(p, QRectF(440, 288, 144, 20), "VIREO", 12, QColor(70, 72, 76));
    p.end();

    C.Surface(P, postL);
    C.Surface(P, top);
    C.Surface(P, postR);
    C.Surface(P, glare);

    C.Lamp(P, "Master Caution", Box(262, 254, 74, 50), "MASTER\nCAUTION", kAmber, 11);
    C.Lamp(P, "TF Fail", Box(186, 266, 66, 26), "TF FAIL", kAmber, 9.5);
    // AOA indexer: slow, on speed, fast.
    auto aoa = [](int lit) {
        return [lit](QPainter& p, const QRect& r) {
            p.fillRect(r, QColor(10, 10, 10));
            p.setRenderHint(QPainter::Antialiasing, true);
            const QColor cols[3] = {kRed, kGreen, kAmber};
            for (int i = 0; i < 3; ++i) {
                const QColor c = i + 1 == lit ? cols[i].lighter(120) : QColor(54, 50, 44);
                const QPointF m(r.center().x() + 0.5, r.top() + 10 + i * 18);
                p.setPen(QPen(c, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.setBrush(Qt::NoBrush);
                if (i == 0)
                    p.drawPolyline(
                        QPolygonF({m + QPointF(-8, -5), m + QPointF(0, 5), m + QPointF(8, -5)}));
                else if (i == 1)
                    p.drawEllipse(m, 6, 6);
                else
                    p.drawPolyline(
                        QPolygonF({m + QPointF(-8, 5), m + QPointF(0, -5), m + QPointF(8, 5)}));
            }
        };
    };
    C.Light(P, "AOA Indexer", Box(346, 252, 26, 60), {aoa(0), aoa(1), aoa(2), aoa(3)});
    // Air refuelling / nose wheel steering indexer: off, ready, engaged, disconnect.
    auto ar = [](int lit) {
        return [lit](QPainter& p, const QRect& r) {
            p.fillRect(r, QColor(10, 10, 10));
            const char* names[3] = {"RDY", "AR\nNWS", "DISC"};
            const QColor cols[3] = {kCyan, kGreen, kAmber};
            for (int i = 0; i < 3; ++i) {
                const QRectF cell(r.left() + 2, r.top() + 2 + i * 19, r.width() - 4, 17);
                p.fillRect(cell, i + 1 == lit ? cols[i].darker(380) : QColor(30, 29, 27));
                Text(p, cell, names[i], i == 1 ? 7 : 8,
                     i + 1 == lit ? cols[i].lighter(130) : QColor(88, 84, 76));
            }
        };
    };
    C.Light(P, "AR NWS Indexer", Box(652, 252, 30, 60), {ar(0), ar(1), ar(2), ar(3)});
    const char* eyebrow[6] = {"ENG FIRE", "ENGINE",         "HYD/OIL\nPRESS",
                              "FLCS",     "TO/LDG\nCONFIG", "CANOPY"};
    const char* eyebrowNames[6] = {
        "Engine Fire", "Engine", "Hydraulic Oil Pressure", "FLCS", "Takeoff Landing Config",
        "Canopy"};
    for (int i = 0; i < 6; ++i)
        C.Lamp(P, std::string(eyebrowNames[i]) + " Light",
               Box(700 + (i % 3) * 76, 256 + (i / 3) * 30, 72, 26), eyebrow[i], kRed, 8.5);

    // Main instrument panel.
    p.begin(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const R mainL{0, 318, 372, 768}, mainC{372, 318, 652, 768}, mainR{652, 318, 1024, 768};
    ConsoleBase(p, {0, 318, 1024, 768});
    p.fillRect(QRect(0, 318, 1024, 3), QColor(8, 8, 9)); // shadow under the glare shield
    Plate(p, {12, 326, 372, 432}, "ARMAMENT");
    Plate(p, {652, 326, 1012, 432}, "THREAT WARNING");
    Plate(p, {384, 326, 640, 484}, QString(), QColor(50, 53, 57));
    Plate(p, {400, 490, 624, 560});
    Plate(p, {384, 566, 640, 762});
    p.end();

    // Up-front controls: override keys and the keypad.
    const QColor icp(50, 53, 57);
    const char* over[6] = {"COM1", "COM2", "IFF", "LIST", "A-A", "A-G"};
    const int overIds[6] = {1013, 1012, 1011, 1014, 1015, 1016};
    const char* overNames[6] = {"ICP COM1 (Primary)", "ICP COM2",       "ICP IFF (Tertiary)",
                                "ICP LIST",           "ICP Air To Air", "ICP Air To Ground"};
    for (int i = 0; i < 6; ++i)
        C.Key(P, overNames[i], Box(398 + i * 38, 340, 34, 24), over[i], icp, overIds[i], 9);
    const char* pad[12] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "RCL", "0", "ENTR"};
    const int padIds[12] = {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1017, 1010, 1018};
    for (int i = 0; i < 12; ++i)
        C.Key(P, Fmt("ICP Key %s", pad[i]), Box(404 + (i % 3) * 44, 374 + (i / 3) * 26, 38, 22),
              pad[i], icp, padIds[i], i == 9 || i == 11 ? 8.5 : 12);
    p.begin(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Data control switch and thumb wheels (not clickable in this demo).
    const QPointF dcs(582, 404);
    p.setPen(QPen(QColor(6, 6, 6), 1));
    p.setBrush(QColor(28, 29, 31));
    p.drawEllipse(dcs, 24, 24);
    for (int k = 0; k < 4; ++k) {
        p.save();
        p.translate(dcs);
        p.rotate(k * 90);
        QLinearGradient g(0, -22, 0, -8);
        g.setColorAt(0, QColor(100, 102, 106));
        g.setColorAt(1, QColor(44, 46, 48));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(-7, -22, 14, 14), 3, 3);
        p.restore();
    }
    Text(p, QRectF(552, 430, 60, 12), "DCS", 8.5);
    for (int k = 0; k < 2; ++k) {
        const QRectF wheel(560 + k * 32, 446, 14, 30);
        QLinearGradient g(wheel.topLeft(), wheel.bottomLeft());
        g.setColorAt(0, QColor(20, 20, 21));
        g.setColorAt(0.5, QColor(92, 94, 98));
        g.setColorAt(1, QColor(20, 20, 21));
        p.setBrush(g);
        p.drawRoundedRect(wheel, 3, 3);
        p.setPen(QPen(QColor(10, 10, 10), 1));
        for (int y = 450; y < 474; y += 4)
            p.drawLine(QPointF(wheel.left() + 2, y), QPointF(wheel.right() - 2, y));
        Text(p, QRectF(wheel.left() - 10, 474, 34, 10), k ? "BRT" : "SYM", 7);
    }

    // DED.
    const R ded{414, 498, 610, 552};
    p.setPen(QPen(QColor(6, 6, 6), 1));
    p.setBrush(QColor(16, 17, 18));
    p.drawRoundedRect(ded.f().adjusted(-6, -4, 6, 4), 4, 4);
    ScreenArt(p, ded, QColor(6, 16, 10));
    p.end();
    AddDed(C, P, "Data Entry Display", ded, "ded");

    // Fuel flow counter.
    p.begin(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    Text(p, QRectF(398, 576, 60, 28), "FUEL\nFLOW", 9.5);
    Text(p, QRectF(556, 576, 40, 28), "PPH", 9.5);
    p.end();
    AddDigits(C, P, "Fuel Flow", Row(470, 578, 5), false);

    // ADI.
    p.begin(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF ac(512, 690);
    const R adiDest = Around(512, 690, 62);
    p.setPen(QPen(QColor(6, 6, 6), 1));
    p.setBrush(QColor(12, 12, 13));
    p.drawEllipse(ac, 72, 72);
    for (int bank : {0, 10, 20, 30, 60, -10, -20, -30, -60, 45, -45}) {
        const double a = 90 + bank;
        const bool big = bank % 30 == 0;
        p.setPen(QPen(kLabel, big ? 2.2 : 1.3));
        p.drawLine(Polar(ac, 64, a), Polar(ac, big ? 71 : 68, a));
    }
    QPolygonF idx;
    idx << Polar(ac, 64, 90) << Polar(ac, 71, 93) << Polar(ac, 71, 87);
    p.setBrush(kLabel);
    p.drawPolygon(idx);
    p.end();
    const int adiPiece = C.tmpl.Add(adiDest.w(), adiDest.h(), AdiBallArt);
    const int adiId = C.NewObjectId(P);
    const int adiSlot = C.nextCallback++;
    const R ils = Around(512, 690, 36);
    C.objects.push_back([=, &C] {
        return Head("Attitude Indicator", adiId, "ADI") + KHex("cyclebits", 0xffff) +
               KInt("callbackslot", adiSlot) + KInt("persistant", 0) +
               KRect("srcloc", C.tmpl.At(adiPiece)) + KRect("ilslimits", ils) +
               KDest("destloc", true, adiDest) + KHex("color0", 0xff20a2c8) +
               KHex("color1", 0xff808080) + KHex("color2", 0xffffffff) +
               KHex("color3", 0xff6cf3f3) + KHex("color4", 0xff6cf3f3) + kEnd;
    });

    C.Lamp(P, "Marker Beacon", Box(400, 640, 44, 26), "MRK\nBCN", kCyan, 8);

    // MFDs.
    AddMfd(C, P, {18, 440, 318, 740}, {62, 484, 274, 696}, true);
    AddMfd(C, P, {706, 440, 1006, 740}, {750, 484, 962, 696}, false);

    // Armament panel.
    C.Toggle(P, "Master Arm", QPoint(64, 380), {0, 1, -1}, {"OFF", "MASTER ARM", "SIMULATE"},
             QString());
    C.Toggle(P, "Laser Arm", QPoint(176, 380), {-1, 1}, {"OFF", "ARM"}, QString());
    C.Toggle(P, "RF Switch", QPoint(270, 380), {1, 0, -1}, {"NORM", "QUIET", "SILENT"}, QString());
    p.begin(&P.img);
    Text(p, QRectF(94, 392, 60, 14), "MASTER", 9.5, kLabel, Qt::AlignLeft | Qt::AlignVCenter);
    Text(p, QRectF(194, 392, 60, 14), "LASER", 9.5, kLabel, Qt::AlignLeft | Qt::AlignVCenter);
    Text(p, QRectF(288, 392, 60, 14), "RF", 9.5, kLabel, Qt::AlignLeft | Qt::AlignVCenter);
    p.end();

    // Threat warning panel: lighted push buttons and the RWR scope.
    const char* threat[4] = {"HAND\nOFF", "LAUNCH", "MODE\nPRI", "SYS\nTEST"};
    const char* threatNames[4] = {"RWR Handoff", "RWR Launch", "RWR Mode", "RWR System Test"};
    const QColor threatCol[4] = {kGreen, kRed, kGreen, kGreen};
    for (int i = 0; i < 4; ++i) {
        const R d = Box(676 + i * 50, 356, 42, 34);
        QPainter bg(&P.img);
        LitKeyArt(bg, d.q(), threat[i], threatCol[i], false, kPlate);
        bg.end();
        const QString legend = threat[i];
        const QColor col = threatCol[i];
        const int off = C.tmpl.Add(d.w(), d.h(), [=](QPainter& q, const QRect& r) {
            LitKeyArt(q, r, legend, col, false, kPlate);
        });
        const int on = C.tmpl.Add(d.w(), d.h(), [=](QPainter& q, const QRect& r) {
            LitKeyArt(q, r, legend, col, true, kPlate);
        });
        const int b = C.Button(threatNames[i], 2, CCockpit::kClick, -1, -1);
        C.View(P, threatNames[i], b, d, {off, on});
    }
    p.begin(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF rwr(942, 384);
    p.setPen(QPen(QColor(6, 6, 6), 1));
    p.setBrush(QColor(20, 21, 23));
    p.drawRoundedRect(QRectF(rwr.x() - 46, rwr.y() - 44, 92, 88), 8, 8);
    p.setBrush(QColor(6, 10, 8));
    p.drawEllipse(rwr, 36, 36);
    p.setPen(QPen(QColor(40, 130, 70, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(rwr, 18, 18);
    p.drawLine(rwr + QPointF(-4, 0), rwr + QPointF(4, 0));
    p.drawLine(rwr + QPointF(0, -4), rwr + QPointF(0, 4));
    P.rwr = Around(942, 384, 36);
    p.end();

    C.Surface(P, mainL);
    C.Surface(P, mainC);
    C.Surface(P, mainR);

    // HUD symbology anchors: they have no place on the panel, the HUD draws them.
    const int chev = C.NewObjectId(P);
    C.objects.push_back([=] {
        return Head("HUD Chevron", chev, "CHEVRON") + Fmt("\tpantilt = %g %g;\n", 0.0, -2.5) +
               Fmt("\tpantiltlabel = %d %d;\n", 1, 2) + kEnd;
    });
    const int lift = C.NewObjectId(P);
    C.objects.push_back([=] {
        return Head("HUD Lift Line", lift, "LIFTLINE") + Fmt("\tpantilt = %g %g;\n", 0.0, -12.5) +
               Fmt("\tpantiltlabel = %d %d;\n", 3, 4) + kEnd;
    });
}

void BuildInstruments(CCockpit& C, CPanelDef& P)
{
    QPainter p(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const R lip{0, 44, 1024, 94};
    GlareShield(p, lip, true);
    ConsoleBase(p, {0, 94, 1024, 768});
    p.fillRect(QRect(0, 94, 1024, 4), QColor(6, 6, 7));
    Plate(p, {14, 104, 362, 352});
    Plate(p, {384, 100, 640, 352}, QString(), QColor(44, 46, 50));
    Plate(p, {662, 104, 1010, 352});
    Plate(p, {14, 364, 386, 596}, "FUEL");
    Plate(p, {398, 364, 626, 470}, "PFL");
    Plate(p, {648, 364, 1012, 756}, "ENGINE");
    Plate(p, {14, 608, 386, 756}, "LANDING GEAR");
    p.end();
    C.Surface(P, lip);
    C.Surface(P, {0, 94, 372, 768});
    C.Surface(P, {372, 94, 652, 768});
    C.Surface(P, {652, 94, 1024, 768});

    // Flight instruments.
    TapeScale aoa{35,
                  -5,
                  10,
                  1,
                  5,
                  [](double v) { return QString::number(int(v)); },
                  {{11, 15, QColor(40, 190, 70)},
                   {15, 25, QColor(230, 180, 30)},
                   {25, 35, QColor(220, 40, 30)}}};
    AddTape(C, P, "Angle Of Attack", Box(44, 152, 40, 150), "AOA", 420, aoa, -5, 35);

    p.begin(&P.img);
    DialScale asi{90,
                  -320,
                  {0, 100, 200, 300, 400, 500, 600, 700, 800},
                  4,
                  {"", "1", "2", "3", "4", "5", "6", "7", "8"},
                  "KNOTS",
                  "X 100",
                  700};
    DialArt(p, QPointF(232, 228), 86, asi);
    p.end();
    const R asiDest = Around(232, 228, 86);
    const int asiId = C.NewObjectId(P);
    const int asiSlot = C.nextCallback++;
    C.objects.push_back([=] {
        return Head("Airspeed Mach Indicator", asiId, "MACHASI") + KHex("cyclebits", 0xffff) +
               KDest("destloc", true, asiDest) + KHex("color0", 0xfff4f4ee) +
               KHex("color1", 0xffff3020) + KFloat("endangle", 0.5f) + KFloat("endlength", 60) +
               KInt("callbackslot", asiSlot) + KFloat("minval", 0) + KFloat("maxval", 800) +
               KFloat("startangle", 1.571f) + KFloat("arclength", 5.585f) +
               KInt("needleradius", 72) + KInt("persistant", 0) + kEnd;
    });

    // HSI: case painted here, compass card and distance counter from the template.
    const QPointF hc(512, 226);
    p.begin(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(4, 4, 4), 1));
    p.setBrush(QColor(10, 10, 11));
    p.drawEllipse(hc, 112, 112);
    for (int k = 0; k < 8; ++k) {
        const double a = 90 - k * 45;
        QPolygonF m;
        m << Polar(hc, 103, a) << Polar(hc, 111, a + 3) << Polar(hc, 111, a - 3);
        p.setPen(Qt::NoPen);
        p.setBrush(k == 0 ? QColor(255, 214, 40) : kLabel);
        p.drawPolygon(m);
    }
    p.end();
    const R hsiCard = Around(512, 226, 110);
    const R dme = Box(396, 106, 42, 18);
    p.begin(&P.img);
    CounterArt(p, dme.q(), "000");
    CounterArt(p, Box(586, 106, 42, 18).q(), "045");
    Text(p, QRectF(396, 124, 42, 12), "NM", 8);
    Text(p, QRectF(586, 124, 42, 12), "CRS", 8);
    KnobArt(p, QPointF(414, 328), 13, 100);
    KnobArt(p, QPointF(610, 328), 13, 80);
    Text(p, QRectF(398, 298, 40, 12), "HDG", 8);
    Text(p, QRectF(590, 298, 40, 12), "CRS", 8);
    p.end();
    const int card = C.tmpl.Add(hsiCard.w(), hsiCard.h(),
                                [](QPainter& q, const QRect& r) { CompassCardArt(q, r, 100); });
    const int counter =
        C.tmpl.Add(dme.w(), dme.h(), [](QPainter& q, const QRect& r) { CounterArt(q, r, "000"); });
    const R warn = Box(552, 160, 34, 14), dev = Box(454, 216, 116, 20);
    const int hsiId = C.NewObjectId(P);
    const int hsiSlot = C.nextCallback++;
    C.objects.push_back([=, &C] {
        return Head("Horizontal Situation Indicator", hsiId, "HSI") + KHex("cyclebits", 0xffff) +
               KInt("callbackslot", hsiSlot) + KInt("persistant", 0) + KRect("warnflag", warn) +
               KDest("destloc", true, hsiCard) + KDest("destloc", false, dme) +
               KDest("destloc", false, dev) + KRect("srcloc", C.tmpl.At(card)) +
               KRect("srcloc", C.tmpl.At(counter)) + kEnd;
    });

    // Altimeter: drum counter and the hundreds pointer.
    DialScale alt{90,
                  -360,
                  {0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000},
                  4,
                  {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ""},
                  "",
                  "100 FEET"};
    // The counter sits inside the face, so paint the face first.
    p.begin(&P.img);
    DialArt(p, QPointF(790, 226), 86, alt);
    TextAt(p, QPointF(752, 220), "ALT", 11);
    p.end();
    AddDigits(C, P, "Altimeter Counter", Row(765, 248, 3), false);
    {
        // The face is already painted; the dial only adds its record and template piece.
        const QPoint c(790, 226);
        const R face = Around(c.x(), c.y(), 86);
        const QImage* panel = &P.img;
        const int piece = C.tmpl.Fixed(
            face, [panel, face](QPainter& q, const QRect& r) { q.drawImage(r, *panel, face.q()); });
        std::string points, values;
        for (double v : {0.0, 500.0, 1000.0}) {
            points += Fmt(" %g", double(Round3(NormalRadians(DialAngle(alt, v)))));
            values += Fmt(" %g", v);
        }
        const int id = C.NewObjectId(P);
        const int slot = C.nextCallback++;
        C.objects.push_back([=, &C] {
            return Head("Altimeter Pointer", id, "DIAL") + KHex("cyclebits", 0xffff) +
                   KInt("numendpoints", 3) + KStr("points", points) + KStr("values", values) +
                   KInt("radius0", 74) + KInt("radius1", -16) + KInt("radius2", 5) +
                   KHex("color0", 0xff000000) + KHex("color1", 0xfff4f4ee) +
                   KHex("color2", 0xff9a9a94) + KRect("srcloc", C.tmpl.At(piece)) +
                   KRect("destloc", face) + KInt("callbackslot", slot) + KInt("persistant", 0) +
                   kEnd;
        });
    }
    TapeScale vvi{6, -6, 32, 0.5, 1, [](double v) { return QString::number(std::abs(int(v))); },
                  {}};
    AddTape(C, P, "Vertical Velocity", Box(942, 152, 40, 150), "VVI", 420, vvi, -6, 6);

    // Fuel and clock.
    DialScale fuel{240,
                   -300,
                   {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4},
                   1,
                   {"0", "", "1", "", "2", "", "3", "", "4"},
                   "FUEL QTY",
                   "LBS X 1000"};
    AddDial(C, P, "Fuel Quantity", QPoint(130, 470), 80, fuel);
    AddDigits(C, P, "Fuel Totalizer", Row(88, 564, 5), false);
    DialScale clock{90,
                    -330,
                    {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55},
                    4,
                    {"12", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"},
                    "",
                    ""};
    AddDial(C, P, "Clock Minutes", QPoint(300, 470), 56, clock);

    AddDed(C, P, "Pilot Fault List", {412, 386, 612, 458}, "pfl");
    p.begin(&P.img);
    p.setPen(QPen(QColor(6, 6, 6), 1));
    p.setBrush(QColor(16, 17, 18));
    p.drawRoundedRect(QRectF(406, 382, 212, 80), 4, 4);
    ScreenArt(p, {412, 386, 612, 458}, QColor(6, 16, 10));
    p.end();

    // Engine instruments.
    DialScale rpm{225,
                  -270,
                  {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110},
                  1,
                  {"0", "", "2", "", "4", "", "6", "", "8", "", "10", ""},
                  "RPM",
                  "% X 10",
                  103};
    AddDial(C, P, "Engine RPM", QPoint(740, 474), 74, rpm);
    DialScale ftit{225,
                   -270,
                   {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                   1,
                   {"2", "", "4", "", "6", "", "8", "", "10", "", "12"},
                   "FTIT",
                   "\u00b0C X 100",
                   10};
    AddDial(C, P, "FTIT", QPoint(918, 474), 74, ftit);
    DialScale noz{
        225,       -270,    {0, 20, 40, 60, 80, 100}, 3, {"0", "20", "40", "60", "80", "100"},
        "NOZ POS", "% OPEN"};
    AddDial(C, P, "Nozzle Position", QPoint(740, 664), 74, noz);
    DialScale oil{225,   -270, {0, 20, 40, 60, 80, 100}, 3, {"0", "20", "40", "60", "80", "100"},
                  "OIL", "PSI"};
    AddDial(C, P, "Oil Pressure", QPoint(918, 664), 74, oil);

    // Landing gear: handle, three green lights, hook and alternate flaps.
    const R handle = Box(40, 626, 48, 124);
    auto handleArt = [](int up) {
        return [up](QPainter& q, const QRect& r) {
            q.fillRect(r, kPlate);
            q.setRenderHint(QPainter::Antialiasing, true);
            const QRectF slot(r.center().x() - 5, r.top() + 12, 11, r.height() - 24);
            q.setPen(QPen(QColor(4, 4, 4), 1));
            q.setBrush(QColor(12, 12, 13));
            q.drawRoundedRect(slot, 5, 5);
            const double y = up ? r.top() + 22 : r.bottom() - 22;
            const QPointF c(r.center().x() + 0.5, y);
            q.setPen(Qt::NoPen);
            q.setBrush(QColor(0, 0, 0, 110));
            q.drawEllipse(c + QPointF(3, 4), 19, 12);
            QRadialGradient g(c + QPointF(-5, -4), 22);
            g.setColorAt(0, QColor(250, 250, 246));
            g.setColorAt(1, QColor(120, 122, 124));
            q.setBrush(g);
            q.setPen(QPen(QColor(20, 20, 20), 1));
            q.drawEllipse(c, 19, 12);
            q.setBrush(up ? QColor(120, 20, 16) : QColor(255, 60, 40));
            q.drawEllipse(c, 6, 4);
        };
    };
    {
        QPainter bg(&P.img);
        handleArt(0)(bg, handle.q());
        TextAt(bg, QPointF(handle.c().x(), handle.t - 4), "UP", 8.5);
        TextAt(bg, QPointF(handle.c().x() + 40, handle.b - 12), "DN", 8.5);
    }
    const int gearButton = C.Button("Landing Gear Handle", 2, CCockpit::kGear, CCockpit::kGear, -1);
    C.View(P, "Landing Gear Handle", gearButton, handle,
           {C.tmpl.Add(handle.w(), handle.h(), handleArt(0)),
            C.tmpl.Add(handle.w(), handle.h(), handleArt(1))});
    const std::pair<const char*, QPoint> gear[3] = {
        {"NOSE", {170, 640}}, {"LEFT", {140, 692}}, {"RIGHT", {200, 692}}};
    for (const auto& [label, c] : gear) {
        QPainter bg(&P.img);
        bg.setRenderHint(QPainter::Antialiasing, true);
        QRadialGradient g(QPointF(c) + QPointF(-4, -4), 20);
        g.setColorAt(0, QColor(150, 152, 156));
        g.setColorAt(1, QColor(26, 27, 29));
        bg.setPen(QPen(QColor(6, 6, 6), 1));
        bg.setBrush(g);
        bg.drawEllipse(QPointF(c) + QPointF(0.5, 0.5), 15, 15);
        TextAt(bg, QPointF(c.x() + 0.5, c.y() + 25), label, 8);
        bg.end();
        C.Light(P, std::string("Gear ") + label + " Light", Around(c.x(), c.y(), 11),
                {[](QPainter& q, const QRect& r) { RoundLampArt(q, r, kGreen, false, true); },
                 [](QPainter& q, const QRect& r) { RoundLampArt(q, r, kGreen, true, true); }},
                true);
    }
    C.Toggle(P, "Hook", QPoint(270, 672), {1, -1}, {"UP", "DN"}, QString());
    C.Toggle(P, "Alternate Flaps", QPoint(336, 672), {-1, 1}, {"NORM", "EXTEND"}, QString());
    p.begin(&P.img);
    TextAt(p, QPointF(270, 736), "HOOK", 9);
    TextAt(p, QPointF(336, 736), "ALT FLAPS", 9);
    p.end();

    // Kneeboard on the pilot's leg.
    p.begin(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRoundedRect(QRectF(402, 492, 232, 290), 8, 8);
    p.setBrush(QColor(52, 44, 36));
    p.setPen(QPen(QColor(10, 8, 6), 1));
    p.drawRoundedRect(QRectF(396, 484, 232, 300), 8, 8);
    const R paper{408, 512, 616, 768};
    p.fillRect(paper.q(), QColor(226, 222, 206));
    p.setPen(QPen(QColor(150, 150, 160), 1));
    for (int y = paper.t + 34; y < paper.b; y += 16)
        p.drawLine(paper.l + 10, y, paper.r - 10, y);
    Text(p, QRectF(paper.l, paper.t + 8, paper.w(), 18), "LINE UP CHECKLIST", 11,
         QColor(60, 60, 70));
    QLinearGradient clip(0, 488, 0, 522);
    clip.setColorAt(0, QColor(220, 220, 224));
    clip.setColorAt(1, QColor(96, 98, 102));
    p.setBrush(clip);
    p.setPen(QPen(QColor(30, 30, 32), 1));
    p.drawRoundedRect(QRectF(466, 490, 92, 30), 6, 6);
    p.end();
    const int knee = C.NewObjectId(P);
    C.objects.push_back([=] {
        return Head("Kneeboard", knee, "KNEEVIEW") + KHex("cyclebits", 0xffff) +
               KRect("destloc", paper) + kEnd;
    });
}

// The throttle grip on its quadrant, at the military power stop.
void ThrottleArt(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF slot(836, 250, 26, 470);
    p.setPen(QPen(QColor(4, 4, 4), 1));
    p.setBrush(QColor(10, 10, 11));
    p.drawRoundedRect(slot, 12, 12);
    const std::pair<const char*, int> stops[4] = {
        {"AB", 276}, {"MIL", 400}, {"IDLE", 620}, {"OFF", 700}};
    for (const auto& [name, y] : stops) {
        p.setPen(QPen(kLabel, 2));
        p.drawLine(QPointF(800, y), QPointF(828, y));
        Text(p, QRectF(740, y - 9, 56, 18), name, 11, kLabel, Qt::AlignRight | Qt::AlignVCenter);
    }
    // Grip, pulled back between military power and idle.
    p.translate(0, 118);
    QPainterPath grip;
    grip.moveTo(790, 350);
    grip.cubicTo(800, 320, 930, 318, 950, 352);
    grip.lineTo(968, 440);
    grip.cubicTo(972, 470, 940, 486, 900, 480);
    grip.lineTo(820, 472);
    grip.cubicTo(786, 468, 776, 440, 780, 410);
    grip.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(grip.translated(10, 14));
    QLinearGradient g(790, 330, 950, 480);
    g.setColorAt(0, QColor(88, 90, 94));
    g.setColorAt(0.5, QColor(46, 48, 51));
    g.setColorAt(1, QColor(20, 21, 22));
    p.setBrush(g);
    p.setPen(QPen(QColor(6, 6, 6), 1.5));
    p.drawPath(grip);
    // Controls on the grip.
    p.setBrush(QColor(30, 31, 33));
    p.setPen(QPen(QColor(6, 6, 6), 1));
    p.drawRoundedRect(QRectF(808, 372, 40, 14), 5, 5); // speed brake
    p.setBrush(QColor(200, 200, 196));
    p.drawRoundedRect(QRectF(822, 374, 12, 10), 3, 3);
    p.setBrush(QColor(210, 120, 20));
    p.drawEllipse(QPointF(880, 370), 9, 9); // antenna elevation
    p.setBrush(QColor(26, 27, 29));
    p.drawRoundedRect(QRectF(902, 396, 30, 30), 6, 6); // cursor
    p.setBrush(QColor(120, 122, 126));
    p.drawEllipse(QPointF(917, 411), 7, 7);
    p.setBrush(QColor(30, 31, 33));
    p.drawEllipse(QPointF(850, 430), 12, 12); // transmit
    p.setPen(QPen(QColor(130, 130, 134), 1.5));
    p.drawLine(QPointF(842, 430), QPointF(858, 430));
    p.drawLine(QPointF(850, 422), QPointF(850, 438));
    p.restore();
    Text(p, QRectF(890, 724, 110, 16), "THROTTLE", 11);
}

void BuildLeftConsole(CCockpit& C, CPanelDef& P)
{
    QPainter p(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const R sill{0, 150, 1024, 198};
    CanopySill(p, sill);
    ConsoleBase(p, {0, 198, 1024, 768});
    Plate(p, {16, 208, 324, 332}, "EPU");
    Plate(p, {16, 342, 324, 500}, "ELEC");
    Plate(p, {16, 510, 324, 756}, "UHF BACKUP");
    Plate(p, {336, 208, 628, 332}, "FUEL");
    Plate(p, {336, 342, 628, 500}, "EXT LIGHTING");
    Plate(p, {336, 510, 628, 756}, "AUX COMM");
    Plate(p, {644, 208, 1010, 756});
    ThrottleArt(p);
    // Guard of the master fuel switch.
    p.setPen(QPen(QColor(60, 6, 4), 1));
    p.setBrush(QColor(190, 30, 24));
    p.drawRoundedRect(QRectF(362, 238, 10, 56), 3, 3);
    p.drawRoundedRect(QRectF(404, 238, 10, 56), 3, 3);
    p.end();
    C.Surface(P, sill);
    C.Surface(P, {0, 198, 640, 768});
    C.Surface(P, {640, 198, 1024, 768});

    C.Toggle(P, "EPU Switch", QPoint(64, 270), {0, 1, -1}, {"NORM", "ON", "OFF"}, QString());
    C.Lamp(P, "EPU Run", Box(150, 238, 72, 26), "EPU RUN", kGreen);
    C.Lamp(P, "EPU Air", Box(232, 238, 72, 26), "AIR", kAmber);
    C.Lamp(P, "EPU Hydrazine", Box(150, 276, 72, 26), "HYDRAZN", kAmber);
    C.Lamp(P, "EPU Fuel Low", Box(232, 276, 72, 26), "FUEL LOW", kAmber);

    C.Toggle(P, "Main Power", QPoint(56, 416), {-1, 0, 1}, {"OFF", "BATT", "MAIN PWR"}, QString());
    const char* elec[6] = {"FLCS PMG", "MAIN GEN", "STBY GEN", "EPU GEN", "EPU PMG", "TO FLCS"};
    for (int i = 0; i < 6; ++i)
        C.Lamp(P, std::string("Elec ") + elec[i],
               Box(128 + (i % 3) * 64, 372 + (i / 3) * 32, 60, 26), elec[i], kAmber, 8);
    C.Key(P, "Caution Reset", Box(128, 442, 84, 30), "CAUTION\nRESET", kPlate, 0, 8);
    C.Lamp(P, "Battery Fail", Box(224, 444, 88, 26), "BATT FAIL", kAmber);

    // Backup radio: frequency, preset channel, knobs.
    std::vector<R> freq = Row(40, 546, 3);
    for (const R& r : Row(40 + 3 * 17 + 8, 546, 3))
        freq.push_back(r);
    AddDigits(C, P, "UHF Frequency", freq, true);
    p.begin(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 176, 48));
    p.drawEllipse(QPointF(94.5, 567), 1.6, 1.6);
    Text(p, QRectF(40, 576, 110, 14), "MHZ", 8.5);
    const R chan{226, 546, 296, 570};
    p.setPen(QPen(QColor(6, 6, 6), 1));
    p.setBrush(QColor(14, 14, 15));
    p.drawRoundedRect(chan.f().adjusted(-4, -3, 4, 3), 3, 3);
    ScreenArt(p, chan, QColor(22, 12, 4));
    Text(p, QRectF(chan.l, 576, chan.w(), 14), "CHAN", 8.5);
    SelectorArt(p, QPointF(88, 660), 20, {"OFF", "MAIN", "BOTH", "ADF"}, 150, -40, 1, "FUNCTION");
    SelectorArt(p, QPointF(198, 660), 20, {"MNL", "PRESET", "GRD"}, 135, -45, 1, "MODE");
    p.end();
    const int text = C.NewObjectId(P);
    const int textSlot = C.nextCallback++;
    C.objects.push_back([=] {
        return Head("UHF Channel", text, "TEXT") + KHex("cyclebits", 0xffff) +
               KInt("callbackslot", textSlot) + KInt("numstrings", 2) + KRect("destloc", chan) +
               kEnd;
    });
    C.Toggle(P, "UHF Squelch", QPoint(284, 650), {1, -1}, {"ON", "OFF"}, QString());
    p.begin(&P.img);
    TextAt(p, QPointF(284, 700), "SQUELCH", 8.5);
    p.end();

    // Fuel panel.
    C.Toggle(P, "Master Fuel", QPoint(388, 266), {1, -1}, {"MASTER", "OFF"}, QString());
    C.Toggle(P, "Tank Inerting", QPoint(460, 266), {-1, 1}, {"OFF", "INERTING"}, QString());
    p.begin(&P.img);
    SelectorArt(p, QPointF(560, 262), 16, {"OFF", "NORM", "AFT", "FWD"}, 150, -40, 1, "ENG FEED");
    p.end();

    // Exterior lights.
    p.begin(&P.img);
    SelectorArt(p, QPointF(392, 418), 18, {"OFF", "1", "2", "3", "4"}, 150, -30, 2, "ANTI-COLL");
    p.end();
    C.Toggle(P, "Position Lights", QPoint(460, 420), {1, -1}, {"FLASH", "STEADY"}, QString());
    C.Toggle(P, "Wing Tail Lights", QPoint(522, 420), {-1, 0, 1}, {"OFF", "DIM", "BRT"}, QString());
    C.Toggle(P, "Fuselage Lights", QPoint(590, 420), {-1, 0, 1}, {"OFF", "DIM", "BRT"}, QString());
    p.begin(&P.img);
    TextAt(p, QPointF(460, 480), "POSITION", 8.5);
    TextAt(p, QPointF(522, 480), "WING/TAIL", 8.5);
    TextAt(p, QPointF(592, 480), "FUSELAGE", 8.5);
    p.end();

    // Jet fuel starter and engine control beside the throttle.
    C.Toggle(P, "JFS Start", QPoint(700, 300), {0, 1, -1}, {"OFF", "START 1", "START 2"},
             QString());
    C.Toggle(P, "Engine Control", QPoint(700, 440), {1, -1}, {"PRI", "SEC"}, QString());
    p.begin(&P.img);
    TextAt(p, QPointF(700, 358), "JFS", 9.5);
    TextAt(p, QPointF(700, 498), "ENG CONT", 9.5);
    KnobArt(p, QPointF(700, 640), 16, 60);
    TextAt(p, QPointF(700, 670), "FRICTION", 9.5);
    p.end();

    // Auxiliary radio.
    AddDigits(C, P, "TACAN Channel", Row(364, 548, 3), false);
    p.begin(&P.img);
    Text(p, QRectF(356, 578, 70, 14), "CHANNEL", 8.5);
    SelectorArt(p, QPointF(400, 670), 18, {"OFF", "REC", "T/R", "A/A REC", "A/A TR"}, 150, -30, 2,
                "TACAN");
    SelectorArt(p, QPointF(560, 670), 18, {"OFF", "STBY", "LOW", "NORM", "EMER"}, 150, -30, 3,
                "IFF MASTER");
    p.end();
    C.Toggle(P, "TACAN Band", QPoint(476, 566), {1, -1}, {"X", "Y"}, QString());
    C.Toggle(P, "CNI Source", QPoint(552, 566), {1, -1}, {"UFC", "BACKUP"}, QString());
    p.begin(&P.img);
    TextAt(p, QPointF(476, 614), "BAND", 8.5);
    TextAt(p, QPointF(552, 614), "CNI", 8.5);
    p.end();
}

// The side stick on the right console.
void StickArt(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(0, 26);
    // Boot.
    for (int i = 0; i < 6; ++i) {
        const QRectF ring(796 + i * 6, 560 + i * 16, 160 - i * 12, 40);
        QLinearGradient g(ring.topLeft(), ring.bottomLeft());
        g.setColorAt(0, QColor(44, 44, 46));
        g.setColorAt(1, QColor(14, 14, 15));
        p.setPen(QPen(QColor(4, 4, 4), 1));
        p.setBrush(g);
        p.drawEllipse(ring);
    }
    // Grip.
    QPainterPath grip;
    grip.moveTo(836, 580);
    grip.cubicTo(826, 500, 820, 430, 832, 360);
    grip.cubicTo(840, 300, 930, 300, 934, 360);
    grip.cubicTo(940, 440, 924, 510, 920, 580);
    grip.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(grip.translated(12, 10));
    QLinearGradient g(826, 0, 936, 0);
    g.setColorAt(0, QColor(24, 25, 26));
    g.setColorAt(0.35, QColor(92, 94, 98));
    g.setColorAt(1, QColor(18, 19, 20));
    p.setBrush(g);
    p.setPen(QPen(QColor(6, 6, 6), 1.5));
    p.drawPath(grip);
    // Trim hat, pickle button, trigger.
    p.setBrush(QColor(28, 29, 31));
    p.drawEllipse(QPointF(884, 338), 13, 13);
    p.setBrush(QColor(140, 142, 146));
    p.drawEllipse(QPointF(884, 338), 5, 5);
    p.setBrush(QColor(170, 24, 20));
    p.drawEllipse(QPointF(912, 368), 8, 8);
    p.setBrush(QColor(34, 35, 37));
    p.drawRoundedRect(QRectF(818, 396, 16, 44), 6, 6);
    p.restore();
    Text(p, QRectF(840, 728, 120, 16), "SIDE STICK", 11);
}

void BuildRightConsole(CCockpit& C, CPanelDef& P)
{
    QPainter p(&P.img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const R sill{0, 150, 1024, 198};
    CanopySill(p, sill);
    ConsoleBase(p, {0, 198, 1024, 768});
    Plate(p, {16, 208, 372, 478}, "CAUTION");
    Plate(p, {16, 490, 372, 756}, "OXYGEN REGULATOR");
    Plate(p, {392, 208, 688, 332}, "SNSR PWR");
    Plate(p, {392, 342, 688, 600}, "HUD");
    Plate(p, {392, 610, 688, 756}, "AIR COND");
    Plate(p, {706, 208, 1010, 756});
    StickArt(p);
    Plate(p, {724, 222, 992, 328}, "MANUAL TRIM");
    KnobArt(p, QPointF(878, 274), 14, 90);
    KnobArt(p, QPointF(946, 274), 14, 90);
    TextAt(p, QPointF(878, 300), "ROLL", 8.5);
    TextAt(p, QPointF(946, 300), "YAW", 8.5);
    p.end();
    C.Surface(P, sill);
    C.Surface(P, {0, 198, 384, 768});
    C.Surface(P, {384, 198, 1024, 768});

    C.Toggle(P, "Trim AP Disconnect", QPoint(770, 276), {-1, 1}, {"NORM", "DISC"}, QString());
    {
        QPainter bg(&P.img);
        Text(bg, QRectF(788, 266, 60, 20), "TRIM/AP", 8.5, kLabel,
             Qt::AlignLeft | Qt::AlignVCenter);
    }

    const char* caution[18] = {"FLCS FAULT",
                               "ENGINE FAULT",
                               "AVIONICS\nFAULT",
                               "SEAT NOT\nARMED",
                               "ELEC SYS",
                               "SEC",
                               "EQUIP HOT",
                               "NWS FAIL",
                               "PROBE HEAT",
                               "FUEL/OIL\nHOT",
                               "RADAR ALT",
                               "ANTI SKID",
                               "CADC",
                               "INLET ICING",
                               "IFF",
                               "HOOK",
                               "STORES\nCONFIG",
                               "OXY LOW"};
    for (int i = 0; i < 18; ++i) {
        QString legend = caution[i];
        std::string name = legend.toStdString();
        std::replace(name.begin(), name.end(), '\n', ' ');
        std::replace(name.begin(), name.end(), '/', ' ');
        C.Lamp(P, "Caution " + name, Box(30 + (i % 3) * 112, 232 + (i / 3) * 38, 104, 32), legend,
               kAmber, 9.5);
    }

    AddDial(C, P, "Oxygen Quantity", QPoint(110, 660), 52,
            {225, -270, {0, 1, 2, 3, 4, 5}, 3, {"0", "1", "2", "3", "4", "5"}, "", "LITERS"});
    p.begin(&P.img);
    TextAt(p, QPointF(110, 736), "OXY QTY", 9.5);
    p.end();
    // Flow blinker: black at rest, white while oxygen flows.
    auto blinker = [](int flowing) {
        return [flowing](QPainter& q, const QRect& r) {
            q.fillRect(r, QColor(8, 8, 8));
            q.setRenderHint(QPainter::Antialiasing, true);
            const QPointF c = QRectF(r).center();
            q.setPen(Qt::NoPen);
            q.setBrush(flowing ? QColor(236, 236, 228) : QColor(24, 24, 25));
            q.drawEllipse(c, r.height() / 2.0 - 3, r.height() / 2.0 - 3);
            if (flowing) {
                q.setBrush(QColor(8, 8, 8));
                q.drawPie(QRectF(c.x() - 14, c.y() - 14, 28, 28), 45 * 16, 90 * 16);
                q.drawPie(QRectF(c.x() - 14, c.y() - 14, 28, 28), 225 * 16, 90 * 16);
            }
        };
    };
    C.Light(P, "Oxygen Flow", Box(190, 526, 40, 40), {blinker(0), blinker(1)});
    p.begin(&P.img);
    TextAt(p, QPointF(210, 576), "FLOW", 8.5);
    p.end();
    C.Toggle(P, "Oxygen Supply", QPoint(214, 656), {1, -1}, {"ON", "OFF"}, QString());
    C.Toggle(P, "Oxygen Diluter", QPoint(268, 656), {-1, 1}, {"NORM", "100%"}, QString());
    C.Toggle(P, "Oxygen Emergency", QPoint(322, 656), {0, 1, -1}, {"", "EMER", "TEST"}, QString());
    p.begin(&P.img);
    TextAt(p, QPointF(214, 712), "SUPPLY", 8.5);
    TextAt(p, QPointF(268, 712), "DILUTER", 8.5);
    TextAt(p, QPointF(322, 712), "EMERG", 8.5);
    p.end();

    const char* sensors[4] = {"LEFT HDPT", "RIGHT HDPT", "FCR", "RDR ALT"};
    for (int i = 0; i < 4; ++i) {
        C.Toggle(P, std::string("Sensor Power ") + sensors[i], QPoint(440 + i * 70, 266), {-1, 1},
                 {"OFF", ""}, QString());
        QPainter bg(&P.img);
        TextAt(bg, QPointF(440 + i * 70, 236), sensors[i], 8.5);
    }

    struct HudSwitch
    {
        const char* name;
        QString up, centre, down;
    };
    const HudSwitch hud[6] = {
        {"SCALES", "VV/VAH", "VAH", "OFF"},    {"FP MARKER", "ATT/FPM", "FPM", "OFF"},
        {"DED DATA", "DED", "PFL", "OFF"},     {"DEPR RET", "STBY", "PRI", "OFF"},
        {"VELOCITY", "CAS", "TAS", "GND SPD"}, {"ALT", "RADAR", "BARO", "AUTO"}};
    for (int i = 0; i < 6; ++i) {
        const QPoint c(436 + (i % 3) * 92, 420 + (i / 3) * 110);
        C.Toggle(P, std::string("HUD ") + hud[i].name, c, {0, 1, -1},
                 {hud[i].centre, hud[i].up, hud[i].down}, QString());
        QPainter bg(&P.img);
        TextAt(bg, QPointF(c.x() + 22, c.y() + 46), hud[i].name, 9);
    }

    p.begin(&P.img);
    SelectorArt(p, QPointF(470, 686), 18, {"AUTO", "MAN"}, 120, -60, 0, "TEMP");
    SelectorArt(p, QPointF(600, 686), 18, {"OFF", "NORM", "DUMP", "RAM"}, 150, -40, 1,
                "AIR SOURCE");
    p.end();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VIREO_EXAMPLES_DIR);
    try {
        CCockpit C;
        CPanelDef& front = C.Panel(100, "Front", "demo_front.png");
        CPanelDef& down = C.Panel(200, "Instruments", "demo_instruments.png");
        CPanelDef& left = C.Panel(300, "Left Console", "demo_left.png");
        CPanelDef& right = C.Panel(400, "Right Console", "demo_right.png");
        // Neighbours: N, NE, E, SE, S, SW, W, NW.
        const int adjFront[8] = {-1, -1, 400, -1, 200, -1, 300, -1};
        const int adjDown[8] = {100, -1, 400, -1, -1, -1, 300, -1};
        const int adjLeft[8] = {-1, -1, 100, 200, -1, -1, -1, -1};
        const int adjRight[8] = {-1, -1, -1, -1, -1, 200, 100, -1};
        std::copy(adjFront, adjFront + 8, front.adj);
        std::copy(adjDown, adjDown + 8, down.adj);
        std::copy(adjLeft, adjLeft + 8, left.adj);
        std::copy(adjRight, adjRight + 8, right.adj);
        front.masktop = 246;
        down.masktop = 44;
        down.tilt = -35;
        left.masktop = 150;
        left.pan = -70;
        left.tilt = -40;
        right.masktop = 150;
        right.pan = 70;
        right.tilt = -40;

        C.Sound(CCockpit::kClick, "Button Click", 1);
        C.Sound(CCockpit::kToggle, "Toggle Switch", 2);
        C.Sound(CCockpit::kGear, "Gear Handle", 3);

        BuildFront(C, front);
        BuildInstruments(C, down);
        BuildLeftConsole(C, left);
        BuildRightConsole(C, right);

        C.tmpl.Pack();
        const std::string dir = folder.toStdString();
        if (!C.tmpl.Render().save(folder + "/demo_template.png"))
            throw std::runtime_error("cannot write the template image");
        for (const auto& P : C.panels)
            if (!P->img.save(folder + "/" + QString::fromStdString(P->file)))
                throw std::runtime_error("cannot write " + P->file);
        C.Write(dir, "demo_template.png");
        std::printf("Wrote 10_demo.dat, demo_template.png (%d x %d) and %d panel pictures to %s\n",
                    C.tmpl.Width(), C.tmpl.Height(), int(C.panels.size()), dir.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vireo-drawdemo: %s\n", e.what());
        return 1;
    }
    return 0;
}
