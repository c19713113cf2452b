#include "cpanelmapview.h"

#include "ccockpitreader.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "cdialogrunner.h"
#include "cqtimageloader.h"
#include "cvireodoc.h"
#include "iuserinterface.h"

#include <QElapsedTimer>
#include <QHelpEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kMinZoom = 0.1, kMaxZoom = 4.0;
// How close to a picture's edge (in screen pixels) a press starts a link.
constexpr double kSideBand = 14;
// Edits in a burst (typing in a sheet, nudges) paint the pictures once.
constexpr int kRenderDelayMs = 300;
} // namespace

CPanelMapView::CPanelMapView(CVireoDoc* doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_pDoc(doc),
      m_pGeometry(std::make_unique<CPanelMapGeometry>(PanelMapLayout(), 1024, 768))
{
    setObjectName(QStringLiteral("panelMap"));
    viewport()->setMouseTracking(true);
    m_pool.setMaxThreadCount(1);
    m_renderTimer.setSingleShot(true);
    m_renderTimer.setInterval(kRenderDelayMs);
    connect(&m_renderTimer, &QTimer::timeout, this, &CPanelMapView::StartRendering);
    m_copyTimer.setInterval(0);
    connect(&m_copyTimer, &QTimer::timeout, this, &CPanelMapView::CopySome);
    m_fnAsk = [this](const QString& question) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Vireo"), question,
                        QMessageBox::Yes | QMessageBox::No, window());
        box.setDefaultButton(QMessageBox::Yes);
        // A runner that answers says yes with IDOK; a user by the button clicked.
        return CDialogRunner::RunModal(box) == IDOK ||
               box.clickedButton() == box.button(QMessageBox::Yes);
    };
    m_pDoc->AddObserver(this);
    Rebuild();
}

CPanelMapView::~CPanelMapView()
{
    m_pDoc->RemoveObserver(this);
    CancelRendering();
    m_pool.waitForDone();
}

void CPanelMapView::OnInitialUpdate()
{
    m_pictures.clear();
    m_bFitted = false;
    Rebuild();
    Invalidate();
    QTimer::singleShot(0, this, &CPanelMapView::FitOnce);
}

void CPanelMapView::OnHistoryChanged()
{
    Rebuild();
    Invalidate();
}

void CPanelMapView::OnUpdate(IDocObserver*, Hint hint, CCPObject*)
{
    if (hint == Hint::CurrentObject) {
        UpdateCurrent();
        return;
    }
    Rebuild();
    if (hint == Hint::Pictures)
        Invalidate();
}

void CPanelMapView::Rebuild()
{
    const CCPManager& m = m_pDoc->m_manager;
    m_pGeometry =
        std::make_unique<CPanelMapGeometry>(LayOutPanels(m), m.m_nScreenWidth, m.m_nScreenHeight);
    if (m_nDragFrom >= 0 && !PanelOf(m_nDragFrom))
        m_nDragFrom = -1;
    m_nPressed = -1;
    UpdateScrollBars();
    UpdateCurrent();
    viewport()->update();
}

void CPanelMapView::UpdateCurrent()
{
    int current = -1;
    const auto& panels = m_pDoc->m_manager.m_aPanels;
    for (size_t i = 0; i < panels.size() && i < m_pGeometry->Map().panels.size(); ++i)
        if (panels[i].get() == m_pDoc->m_pCurrentPanel)
            current = int(i);
    if (current == m_nCurrent)
        return;
    m_nCurrent = current;
    viewport()->update();
}

CCPPanel* CPanelMapView::PanelOf(int index) const
{
    const auto& panels = m_pDoc->m_manager.m_aPanels;
    const auto& laid = m_pGeometry->Map().panels;
    if (index < 0 || size_t(index) >= panels.size() || size_t(index) >= laid.size() ||
        panels[size_t(index)]->m_nId != laid[size_t(index)].id)
        return nullptr;
    return panels[size_t(index)].get();
}

void CPanelMapView::UpdateScrollBars()
{
    const QSize size = m_pGeometry->Size();
    const int w = int(std::ceil(size.width() * m_fZoom));
    const int h = int(std::ceil(size.height() * m_fZoom));
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, w - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, h - page.height()));
    verticalScrollBar()->setPageStep(page.height());
    verticalScrollBar()->setSingleStep(20);
}

QPointF CPanelMapView::ToViewport(QPointF p) const
{
    return p * m_fZoom - QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPointF CPanelMapView::ToMap(QPointF v) const
{
    return (v + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value())) / m_fZoom;
}

void CPanelMapView::SetZoom(double zoom, QPointF anchor)
{
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == m_fZoom)
        return;
    const QPointF under = ToMap(anchor);
    m_fZoom = zoom;
    UpdateScrollBars();
    const QPointF now = under * m_fZoom - anchor;
    horizontalScrollBar()->setValue(int(std::lround(now.x())));
    verticalScrollBar()->setValue(int(std::lround(now.y())));
    viewport()->update();
}

QImage CPanelMapView::Picture(size_t index) const
{
    const auto found = m_pictures.find(m_pGeometry->Map().panels[index].id);
    return found == m_pictures.end() ? QImage() : found->second;
}

void CPanelMapView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().window());
    p.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    p.scale(m_fZoom, m_fZoom);
    const QRectF visible(ToMap(QPointF()),
                         ToMap(QPointF(viewport()->width(), viewport()->height())));
    PaintPanelMap(
        p, *m_pGeometry, [this](size_t i) { return Picture(i); }, m_nCurrent, visible);
    if (m_nDragFrom >= 0 && m_nDragDirection >= 0) {
        const QRectF from = m_pGeometry->PanelRect(size_t(m_nDragFrom));
        const QPointF start =
            from.center() + QPointF(DirectionDx(m_nDragDirection) * from.width() / 2,
                                    DirectionDy(m_nDragDirection) * from.height() / 2);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 120, 215), 3 / m_fZoom, Qt::DashLine));
        p.drawLine(start, m_ptDrag);
        const int target = m_pGeometry->PanelAt(m_ptDrag);
        if (target >= 0 && target != m_nDragFrom)
            p.drawRect(m_pGeometry->PanelRect(size_t(target)));
    }
}

void CPanelMapView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CPanelMapView::FitOnce()
{
    if (m_bFitted || !isVisible() || m_pGeometry->Map().panels.empty())
        return;
    m_bFitted = true;
    const QSizeF map = m_pGeometry->Size(), page = viewport()->size();
    constexpr double kReadable = 0.35;
    const double fit = std::min(page.width() / map.width(), page.height() / map.height());
    m_fZoom = std::clamp(fit, kReadable, 1.0);
    UpdateScrollBars();
    if (m_nCurrent >= 0) {
        const QPointF centre = m_pGeometry->PanelRect(size_t(m_nCurrent)).center() * m_fZoom;
        horizontalScrollBar()->setValue(int(centre.x() - page.width() / 2));
        verticalScrollBar()->setValue(int(centre.y() - page.height() / 2));
    }
    viewport()->update();
}

void CPanelMapView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    // Once the dock has given the map its size.
    QTimer::singleShot(0, this, &CPanelMapView::FitOnce);
    if (m_bStale && !m_renderTimer.isActive())
        StartRendering();
}

void CPanelMapView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CPanelMapView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const QPointF p = ToMap(event->position());
    m_nPressed = m_pGeometry->PanelAt(p);
    m_nDragFrom = -1;
    m_nDragDirection = -1;
    if (m_nPressed >= 0) {
        const int side = m_pGeometry->SideAt(size_t(m_nPressed), p, kSideBand / m_fZoom);
        if (side >= 0) {
            m_nDragFrom = m_nPressed;
            m_nDragDirection = side;
            m_ptDrag = p;
        }
    }
}

void CPanelMapView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = ToMap(event->position());
    if (m_nDragFrom >= 0) {
        m_ptDrag = p;
        viewport()->update();
        return;
    }
    // The side under the pointer says that a drag from there links.
    const int over = m_pGeometry->PanelAt(p);
    const bool side = over >= 0 && m_pGeometry->SideAt(size_t(over), p, kSideBand / m_fZoom) >= 0;
    viewport()->setCursor(side        ? Qt::CrossCursor
                          : over >= 0 ? Qt::PointingHandCursor
                                      : Qt::ArrowCursor);
}

void CPanelMapView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    const QPointF p = ToMap(event->position());
    const int target = m_pGeometry->PanelAt(p);
    const int from = m_nDragFrom, direction = m_nDragDirection, pressed = m_nPressed;
    m_nDragFrom = m_nDragDirection = m_nPressed = -1;
    viewport()->update();
    if (from >= 0 && target >= 0 && target != from) {
        CCPPanel* a = PanelOf(from);
        CCPPanel* b = PanelOf(target);
        if (!a || !b)
            return;
        const int back = OppositeDirection(direction);
        // Nothing to ask when the link back is there already.
        const bool linkBack = b->m_anAdjPanels[size_t(back)] != a->m_nId &&
                              m_fnAsk(QStringLiteral("Also link panel %1 %2 to panel %3?")
                                          .arg(b->m_nId)
                                          .arg(QString::fromLatin1(DirectionName(back)))
                                          .arg(a->m_nId));
        m_pDoc->LinkPanels(a, direction, b, linkBack);
        return;
    }
    // A click (not a drag that went elsewhere) shows the panel.
    if (target >= 0 && target == pressed)
        if (CCPPanel* panel = PanelOf(target); panel && panel != m_pDoc->m_pCurrentPanel)
            m_pDoc->SetCurrentPanel(panel);
}

void CPanelMapView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const double steps = event->angleDelta().y() / 120.0;
        SetZoom(m_fZoom * std::pow(1.25, steps), event->position());
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

QString CPanelMapView::ToolTipAt(QPointF p) const
{
    const PanelMapLayout& map = m_pGeometry->Map();
    const int link = m_pGeometry->LinkAt(p, 5 / m_fZoom);
    if (link >= 0) {
        const MapLink& l = map.links[size_t(link)];
        if (l.kind != MapLink::Mutual)
            return QString::fromLatin1(LinkProblem(map, l).c_str());
        return QStringLiteral("Panel %1 links %2 to panel %3, and back.")
            .arg(map.panels[l.from].id)
            .arg(QString::fromLatin1(DirectionName(l.direction)))
            .arg(l.toId);
    }
    const int panel = m_pGeometry->PanelAt(p);
    if (panel >= 0 && m_pGeometry->SideAt(size_t(panel), p, kSideBand / m_fZoom) >= 0)
        return QStringLiteral("Drag to another panel to link panel %1 %2 to it")
            .arg(map.panels[size_t(panel)].id)
            .arg(QString::fromLatin1(
                DirectionName(m_pGeometry->SideAt(size_t(panel), p, kSideBand / m_fZoom))));
    return QString();
}

bool CPanelMapView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = ToolTipAt(ToMap(help->pos()));
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CPanelMapView::Invalidate()
{
    m_bStale = true;
    m_bPending = !m_pDoc->m_manager.m_aPanels.empty();
    CancelRendering();
    m_renderTimer.start();
}

void CPanelMapView::CancelRendering()
{
    m_copyTimer.stop();
    m_pCopy.reset();
    if (m_pCancel)
        *m_pCancel = true;
    m_pCancel.reset();
}

void CPanelMapView::StartRendering()
{
    // A hidden map is painted when it is shown.
    if (!isVisible())
        return;
    CancelRendering();
    m_bStale = false;
    ++m_nGeneration;
    m_nReady = 0;
    m_bPending = !m_pDoc->m_manager.m_aPanels.empty();
    if (!m_bPending)
        return;
    m_pCopy = std::make_unique<CLineWriter>();
    m_copied = {};
    m_copyTimer.start();
}

void CPanelMapView::CopySome()
{
    // Slices of a few milliseconds each.
    constexpr size_t kSlice = 500;
    constexpr qint64 kBudgetMs = 8;
    CCPManager& m = m_pDoc->m_manager;
    QElapsedTimer clock;
    clock.start();
    bool done = false;
    while (!done && clock.elapsed() < kBudgetMs)
        done = m.SerializeSome(*m_pCopy, m_copied, kSlice);
    if (!done)
        return;
    m_copyTimer.stop();
    std::string text = m_pCopy->Take();
    m_pCopy.reset();

    // The worker reads the copy: the window thread goes on changing the real cockpit.
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_pCancel = cancel;
    const QSize size = m_pGeometry->ThumbSize();
    const int generation = m_nGeneration;
    m_pool.start([this, text = std::move(text), folder = m.GetFolder(), w = m.m_nScreenWidth,
                  h = m.m_nScreenHeight, size, generation, cancel] {
        CSilentUserInterface ui;
        CQtImageLoader loader;
        CCPManager copy;
        copy.SetUserInterface(&ui);
        copy.SetImageLoader(&loader);
        copy.SetFolder(folder);
        copy.m_nScreenWidth = w;
        copy.m_nScreenHeight = h;
        CCockpitReader(copy, &ui).Read(text);
        const size_t count = copy.m_aPanels.size();
        for (size_t i = 0; i < count && !*cancel; ++i) {
            CCPPanel& panel = *copy.m_aPanels[i];
            QImage image = PaintPanelThumbnail(copy, panel, size);
            const int id = panel.m_nId;
            const bool last = i + 1 == count;
            // The view waits for this worker before it goes, so it is there to take these.
            QMetaObject::invokeMethod(
                this,
                [this, id, image = std::move(image), generation, last] {
                    if (generation != m_nGeneration)
                        return;
                    m_pictures[id] = image;
                    ++m_nReady;
                    if (last)
                        m_bPending = false;
                    viewport()->update();
                },
                Qt::QueuedConnection);
        }
    });
}
