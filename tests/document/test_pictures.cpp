#include "ccpbuffer.h"
#include "ccppanel.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "cqtimageloader.h"
#include "irecordeditor.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

const uint32_t kGreen = 0xff00ff00u;
const uint32_t kRed = 0xffff0000u;
const uint32_t kBlue = 0xff0000ffu;

void WritePicture(const CTempDir& dir, const std::string& name, int width, int height,
                  QColor colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.File(name))));
}

// A sheet stand-in: changes the record as the test asks, then OK.
class CFillingEditor : public IRecordEditor
{
public:
    std::function<void(CCPObject&)> m_fnFill;
    int EditProperties(CCPObject& record) override
    {
        if (m_fnFill)
            m_fnFill(record);
        return IDOK;
    }
};

class CHints : public IDocObserver
{
public:
    std::vector<Hint> m_aHints;
    void OnUpdate(IDocObserver*, Hint hint, CCPObject*) override { m_aHints.push_back(hint); }
    bool Saw(Hint hint) const
    {
        return std::find(m_aHints.begin(), m_aHints.end(), hint) != m_aHints.end();
    }
};

// tests/data/pictures_shared_buffer.dat opened from a folder that holds its pictures: the
// template green, the background picture green.
class PictureNamesTest : public ::testing::Test
{
protected:
    CTempDir dir;
    CTestCockpit c;
    CQtImageLoader loader;
    CFillingEditor editor;
    CHints hints;

    void SetUp() override
    {
        WritePicture(dir, "tmpl.png", 8, 4, Qt::green);
        WritePicture(dir, "back.png", 10, 10, Qt::green);
        dir.Write("c.dat", TestData("pictures_shared_buffer.dat"));
        c.doc.m_manager.SetImageLoader(&loader);
        c.doc.SetRecordEditor(&editor);
        c.doc.AddObserver(&hints);
        ASSERT_TRUE(c.doc.OnOpenDocument(dir.File("c.dat")));
        ASSERT_TRUE(c.ui.m_aBoxes.empty()) << c.ui.m_aBoxes.front().text;
    }
    void TearDown() override { c.doc.RemoveObserver(&hints); }

    CCPManager& m() { return c.doc.m_manager; }
    uint32_t TemplatePixel() const
    {
        const CBitmap& t = c.doc.m_manager.m_bmpTemplate;
        return t.IsNull() ? 0 : t.Pixel(0, 0);
    }
    // What the manager's sheet does on OK.
    void SetTemplate(const std::string& file, int width, int height)
    {
        editor.m_fnFill = [=](CCPObject& record) {
            auto& manager = static_cast<CCPManager&>(record);
            manager.m_strTemplateFile = file;
            manager.m_nTemplateWidth = width;
            manager.m_nTemplateHeight = height;
        };
        hints.m_aHints.clear();
        c.doc.EditRecordProperties(&m());
    }
    CCPSurface* Surface(int id) { return m().FindSurface(id); }
};

} // namespace

TEST_F(PictureNamesTest, ATemplateNamedOnTheSheetIsShownAtOnceAndUndoAndRedoFollow)
{
    WritePicture(dir, "red.png", 8, 4, Qt::red);
    WritePicture(dir, "blue.png", 8, 4, Qt::blue);
    ASSERT_EQ(TemplatePixel(), kGreen);

    SetTemplate("red.png", 8, 4);
    EXPECT_EQ(TemplatePixel(), kRed);
    EXPECT_TRUE(hints.Saw(Hint::Pictures));
    SetTemplate("blue.png", 3, 2); // a new size alone would be read again too
    EXPECT_EQ(TemplatePixel(), kBlue);
    EXPECT_EQ(m().m_bmpTemplate.Width(), 3);

    // Each undo and redo shows the template of its state; several steps at once too.
    hints.m_aHints.clear();
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(TemplatePixel(), kRed);
    EXPECT_EQ(m().m_bmpTemplate.Width(), 8);
    EXPECT_TRUE(hints.Saw(Hint::Pictures));
    c.doc.GoToStep(0);
    EXPECT_EQ(TemplatePixel(), kGreen);
    c.doc.GoToStep(2);
    EXPECT_EQ(TemplatePixel(), kBlue);

    // A sheet that leaves the template alone reads nothing again.
    editor.m_fnFill = [](CCPObject& record) { record.m_strComment = "// other\r\n"; };
    hints.m_aHints.clear();
    c.doc.EditRecordProperties(&m());
    EXPECT_FALSE(hints.Saw(Hint::Pictures));
    EXPECT_TRUE(c.ui.m_aBoxes.empty()) << c.ui.m_aBoxes.front().text;
}

TEST_F(PictureNamesTest, SavedInAnotherFolderTheNamesMeanThePicturesThere)
{
    CTempDir there;
    WritePicture(there, "tmpl.png", 8, 4, Qt::red);
    WritePicture(there, "back.png", 10, 10, Qt::red);
    CCPBuffer* buffer = Surface(7)->m_pBuffer;
    ASSERT_NE(buffer->GetPicture(), nullptr);
    EXPECT_EQ(buffer->GetPicture()->Pixel(0, 0), kGreen);

    hints.m_aHints.clear();
    bool copiedBeforeTheMove = false;
    ASSERT_TRUE(c.doc.OnSaveDocument(there.File("c.dat"), [&] {
        // Whatever runs once the file is written still finds the old folder's pictures.
        copiedBeforeTheMove = m().FullPath("tmpl.png") == dir.File("tmpl.png");
    }));
    EXPECT_TRUE(copiedBeforeTheMove);
    EXPECT_EQ(TemplatePixel(), kRed);
    EXPECT_EQ(buffer->m_strPath, there.File("back.png"));
    ASSERT_NE(buffer->GetPicture(), nullptr);
    EXPECT_EQ(buffer->GetPicture()->Pixel(0, 0), kRed);
    EXPECT_TRUE(hints.Saw(Hint::Pictures));

    // Saving again in the same place reads nothing again.
    hints.m_aHints.clear();
    ASSERT_TRUE(c.doc.OnSaveDocument(there.File("c.dat")));
    EXPECT_FALSE(hints.Saw(Hint::Pictures));
    EXPECT_TRUE(c.ui.m_aBoxes.empty()) << c.ui.m_aBoxes.front().text;
}

TEST_F(PictureNamesTest, ANewCockpitsTemplateIsShownOnceItIsSavedBesideIt)
{
    CTempDir fresh;
    WritePicture(fresh, "front.png", 8, 4, Qt::blue);
    ASSERT_TRUE(c.doc.OnNewDocument());

    // Named before the cockpit has its folder: the name does not lead there yet.
    SetTemplate("front.png", 8, 4);
    EXPECT_TRUE(m().m_bmpTemplate.IsNull());
    ASSERT_EQ(c.ui.m_aBoxes.size(), 1u);
    EXPECT_NE(c.ui.m_aBoxes[0].text.find("front.png"), std::string::npos);

    c.ui.m_nCheckAnswer = IDOK;
    hints.m_aHints.clear();
    ASSERT_TRUE(c.doc.OnSaveDocument(fresh.File("10_new.dat")));
    EXPECT_EQ(TemplatePixel(), kBlue);
    EXPECT_TRUE(hints.Saw(Hint::Pictures));
    EXPECT_EQ(c.ui.m_aBoxes.size(), 1u);
}

TEST_F(PictureNamesTest, ASurfaceGivenAnotherFileShowsAndWritesThatPicture)
{
    WritePicture(dir, "new.png", 12, 6, Qt::red);
    const std::string before = c.Saved();
    CCPBuffer* shared = Surface(7)->m_pBuffer;

    // What the surface entry's sheet does on OK.
    editor.m_fnFill = [this](CCPObject&) {
        m().WillChange(*Surface(7));
        Surface(7)->SetFile("new.png");
    };
    c.doc.EditRecordProperties(c.doc.m_manager.FindPanel(100)->m_aSurfaces.front().get());
    CCPBuffer* own = Surface(7)->m_pBuffer;
    ASSERT_NE(own, shared);
    ASSERT_NE(own->GetPicture(), nullptr);
    EXPECT_EQ(own->GetPicture()->Pixel(0, 0), kRed);
    EXPECT_EQ(Surface(8)->m_pBuffer, shared); // the other panel keeps its picture

    // The file says so: each surface comes after the buffer of its own picture, and reads back
    // the same way.
    const std::string after = c.Saved();
    const size_t newBuffer = after.find("#0 BUFFER\n\tfilename = new.png;\n\tbuffersize = 12 6;\n");
    const size_t seven = after.find("#7 SURFACE\n\tfilename = new.png;");
    const size_t oldBuffer = after.find("#5 BUFFER\n\tfilename = back.png;");
    const size_t eight = after.find("#8 SURFACE\n\tfilename = back.png;");
    ASSERT_NE(newBuffer, std::string::npos) << after;
    EXPECT_LT(newBuffer, seven);
    EXPECT_LT(seven, oldBuffer);
    EXPECT_LT(oldBuffer, eight);
    CTestCockpit reread(after);
    EXPECT_EQ(reread.doc.m_manager.FindSurface(7)->m_pBuffer->m_strFile, "new.png");
    EXPECT_EQ(reread.doc.m_manager.FindSurface(8)->m_pBuffer->m_strFile, "back.png");

    // Undo takes the new buffer away with the name; redo brings both back.
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(Surface(7)->m_pBuffer, shared);
    EXPECT_EQ(c.Saved(), before);
    ASSERT_TRUE(c.doc.Redo());
    EXPECT_EQ(Surface(7)->m_pBuffer, own);
    EXPECT_EQ(c.Saved(), after);
    EXPECT_TRUE(c.ui.m_aBoxes.empty()) << c.ui.m_aBoxes.front().text;
}
