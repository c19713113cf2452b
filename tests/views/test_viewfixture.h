#pragma once

#include "canvas.h"
#include "ccommandtarget.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccplight.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurfaceref.h"
#include "crecordingui.h"
#include "cvireodoc.h"
#include "irecordeditor.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace viewtest {

// The template is 64 x 32: red, green, grey and yellow squares of 16 pixels along the top,
// white below. File rectangles read top, left, bottom, right.
//
// The cockpit, tests/data/view_two_panels.dat: panel 100 with a surface entry, button view 1
// (its state 1 shows the red square at 10,10-30,30), light 101 (its state 1 shows the green
// square at 20,20-40,40, over the button view; state 0 is the white piece below red) and light
// 102 (the red square, far away). Panel 200 shows button view 2 (red) and light 201. Sound 101
// shares its id with light 101.

inline const QRgb kRed = qRgb(255, 0, 0);
inline const QRgb kGreen = qRgb(0, 255, 0);
inline const QRgb kGrey = qRgb(128, 128, 128);
inline const QRgb kYellow = qRgb(255, 255, 0);
inline const QRgb kWhite = qRgb(255, 255, 255);

inline CBitmap MakeTemplate()
{
    CBitmap bmp(64, 32, 0xffffffffu);
    const uint32_t colours[] = {0xffff0000u, 0xff00ff00u, 0xff808080u, 0xffffff00u};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x)
            bmp.SetPixel(x, y, colours[x / 16]);
    return bmp;
}

// Answers every property sheet as told.
class CAnsweringEditor : public IRecordEditor
{
public:
    int m_nAnswer = IDCANCEL;
    int m_nCalls = 0;
    int EditProperties(CCPObject& record) override
    {
        ++m_nCalls;
        if (m_nAnswer == IDOK)
            record.m_strComment += "// edited\r\n"; // as a sheet would change something
        return m_nAnswer;
    }
};

// Remembers the hints another view would get.
class CHintRecorder : public IDocObserver
{
public:
    std::vector<Hint> m_aHints;
    void OnUpdate(IDocObserver*, Hint hint, CCPObject*) override { m_aHints.push_back(hint); }
};

// The cockpit above, loaded, with its template and both button views and light 101 showing
// state 1.
struct CViewCockpit
{
    CRecordingUI ui;
    CAnsweringEditor editor;
    CVireoDoc doc;

    CViewCockpit()
    {
        doc.SetUserInterface(&ui);
        doc.SetRecordEditor(&editor);
        doc.Load(TestData("view_two_panels.dat"));
        doc.m_manager.m_nTemplateWidth = 64;
        doc.m_manager.m_nTemplateHeight = 32;
        doc.m_manager.m_bmpTemplate = MakeTemplate();
        View(1)->m_nCurrentState = 1;
        View(2)->m_nCurrentState = 0;
        Light(101)->m_nCurrentState = 1;
    }

    CCPPanel* Panel(int id) { return doc.m_manager.FindPanel(id); }
    CCPButtonView* View(int id) { return doc.m_manager.FindButtonView(id); }
    CCPLight* Light(int id) { return static_cast<CCPLight*>(doc.m_manager.FindObject(id)); }
    CCPSound* Sound(int id) { return doc.m_manager.FindSound(id); }
};

// Sends a mouse event to w at the client point p. Moves carry the left button (a drag).
inline void Mouse(QWidget* w, QEvent::Type type, QPoint p,
                  Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, keys);
    QApplication::sendEvent(w, &e);
}

inline void Click(QWidget* w, QPoint p, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    Mouse(w, QEvent::MouseButtonPress, p, keys);
    Mouse(w, QEvent::MouseButtonRelease, p, keys);
}

inline void Drag(QWidget* w, QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    Mouse(w, QEvent::MouseButtonPress, from, keys);
    Mouse(w, QEvent::MouseMove, to, keys);
    Mouse(w, QEvent::MouseButtonRelease, to, keys);
}

// Turns the wheel over w at the client point p by delta (120 a notch).
inline void Wheel(QWidget* w, QPoint p, int delta, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    QWheelEvent e(QPointF(p), QPointF(w->mapToGlobal(p)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  keys, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

inline void Key(QWidget* w, int key, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    QKeyEvent e(QEvent::KeyPress, key, keys);
    QApplication::sendEvent(w, &e);
}

// A view of type V over the cockpit above, shown at 400 x 300.
template <class V> class ViewTest : public ::testing::Test
{
protected:
    CViewCockpit c;
    std::unique_ptr<V> view;

    void SetUp() override
    {
        view = std::make_unique<V>(&c.doc);
        view->resize(400, 300);
        view->show();
        view->OnInitialUpdate();
        QApplication::processEvents();
    }

    QWidget* vp() { return view->viewport(); }
    QImage Shot() { return vp()->grab().toImage(); }
    QRgb At(int x, int y) { return Shot().pixel(x, y); }

    CCmdUI State(int id)
    {
        CCmdUI ui(id);
        view->OnUpdateCommand(ui);
        return ui;
    }
    bool Enabled(int id) { return State(id).m_bEnabled; }
    std::string Pane(int id) { return State(id).m_strText; }

    void Show(int panel, CCPObject* record = nullptr)
    {
        c.doc.SetCurrentPanel(c.Panel(panel));
        c.doc.SetCurrentObject(record);
    }
};

} // namespace viewtest
