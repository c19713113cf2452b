#include "ccppanel.h"
#include "cdialogrunner.h"
#include "cqtimageloader.h"
#include "cqtuserinterface.h"
#include "cvireodoc.h"
#include "cvireoview.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Answers the editor's message boxes, noting whether the panel view was being painted when
// one was opened: a box run inside a paint leaves the paint with a painter that is gone.
class CPaintWatchingRunner : public CDialogRunner
{
public:
    explicit CPaintWatchingRunner(QWidget* painted) : m_pPainted(painted)
    {
        m_pPrevious = CDialogRunner::Install(this);
    }
    ~CPaintWatchingRunner() override { CDialogRunner::Install(m_pPrevious); }

    int Run(QDialog& dlg) override
    {
        if (auto* box = qobject_cast<QMessageBox*>(&dlg)) {
            // Refresh also reports the missing template; only the panel's picture counts here.
            if (box->text().contains(QStringLiteral("no_such_picture.png"))) {
                m_texts << box->text();
                m_bShownWhilePainting = m_bShownWhilePainting || m_pPainted->paintingActive();
            }
        }
        return IDOK;
    }

    QStringList m_texts;
    bool m_bShownWhilePainting = false;

private:
    QWidget* m_pPainted;
    CDialogRunner* m_pPrevious = nullptr;
};

struct CMovedCockpit
{
    CQtImageLoader loader;
    CQtUserInterface ui;
    CVireoDoc doc;
    CVireoView view{&doc};

    CMovedCockpit()
    {
        doc.SetUserInterface(&ui);
        doc.m_manager.SetImageLoader(&loader);
        EXPECT_TRUE(doc.OnOpenDocument(TestDataPath("missing_picture.dat")));
        view.resize(400, 300);
        view.show();
        view.OnInitialUpdate();
        QApplication::processEvents();
    }
};

} // namespace

TEST(PanelViewPaint, AMissingPictureIsReportedAfterThePaintOncePerPicture)
{
    CMovedCockpit c;
    CPaintWatchingRunner runner(c.view.viewport());
    c.doc.SetCurrentPanel(c.doc.m_manager.FindPanel(100));
    c.doc.SetCurrentObject(c.doc.m_manager.FindObject(101));

    // The paint runs to its end first, the tracker included; the box comes after it.
    c.view.viewport()->repaint();
    EXPECT_TRUE(runner.m_texts.isEmpty());
    const QImage painted = c.view.viewport()->grab().toImage();
    QApplication::processEvents();
    ASSERT_EQ(runner.m_texts.size(), 1);
    EXPECT_FALSE(runner.m_bShownWhilePainting);
    // It says that the file is not there, not that it is no picture.
    const QString expected =
        QString::fromStdString(c.doc.m_manager.FullPath("no_such_picture.png")) +
        QStringLiteral("\nI cannot read this file.\nThe file was not found.");
    EXPECT_EQ(runner.m_texts[0], expected);
    EXPECT_FALSE(painted.isNull());

    // Both surfaces cut from the one picture, painted again and again: still one message.
    for (int i = 0; i < 3; ++i) {
        c.view.viewport()->repaint();
        QApplication::processEvents();
    }
    EXPECT_EQ(runner.m_texts.size(), 1);

    // Refresh tries the picture again, and says so again, once.
    ASSERT_TRUE(c.view.OnCommand(ID_VIEW_REFRESH));
    c.view.viewport()->repaint();
    c.view.viewport()->repaint();
    QApplication::processEvents();
    EXPECT_EQ(runner.m_texts.size(), 2);
    EXPECT_FALSE(runner.m_bShownWhilePainting);

    // Printing paints through the same code, and waits the same way.
    c.doc.Refresh();
    QImage page(400, 300, QImage::Format_RGB32);
    {
        QPainter painter(&page);
        c.view.PaintPage(painter, page.rect());
        EXPECT_EQ(runner.m_texts.size(), 2);
    }
    QApplication::processEvents();
    EXPECT_EQ(runner.m_texts.size(), 3);
}

TEST(PanelViewPaint, MessagesOfAPaintUnderAnOpenBoxFollowIt)
{
    // While one box is up the views go on painting; what they find is shown after it, not
    // inside their paint.
    CMovedCockpit c;
    struct CNestingRunner : CPaintWatchingRunner
    {
        using CPaintWatchingRunner::CPaintWatchingRunner;
        CMovedCockpit* cockpit = nullptr;
        bool refreshed = false;
        int Run(QDialog& dlg) override
        {
            CPaintWatchingRunner::Run(dlg);
            if (m_texts.size() == 1 && !refreshed) {
                refreshed = true;
                // As the event loop of the box would: a refresh and a paint.
                cockpit->doc.m_manager.RefreshImages();
                cockpit->view.viewport()->repaint();
                EXPECT_EQ(m_texts.size(), 1);
            }
            return IDOK;
        }
    } runner(c.view.viewport());
    runner.cockpit = &c;
    c.doc.SetCurrentPanel(c.doc.m_manager.FindPanel(100));
    c.view.viewport()->repaint();
    QApplication::processEvents();
    EXPECT_EQ(runner.m_texts.size(), 2);
    EXPECT_FALSE(runner.m_bShownWhilePainting);
}
