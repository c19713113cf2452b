#pragma once

// The demo cockpit opened for editing, with a sheet stand-in of the test's choosing and a
// clock the test moves (nudge bursts).

#include "ccpmanager.h"
#include "irecordeditor.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <string>

template <class Editor> class DemoEditTest : public ::testing::Test
{
protected:
    CTestCockpit c;
    Editor editor;
    double now = 100;
    std::string original;

    void SetUp() override
    {
        ASSERT_TRUE(c.doc.OnOpenDocument(ExamplePath("10_demo.dat")));
        c.doc.SetRecordEditor(&editor);
        c.doc.SetClock([this] { return now; });
        original = c.Saved();
    }
    CCPManager& m() { return c.doc.m_manager; }
    static CRect Shifted(CRect rc, int dx, int dy)
    {
        rc.OffsetRect(dx, dy);
        return rc;
    }
};
