#include "ccpbuffer.h"
#include "ccpmanager.h"
#include "ccpsurface.h"
#include "filepaths.h"
#include "recordtest.h"
#include "testcockpit.h"

#include <cctype>
#include <filesystem>

using namespace recordtest;

namespace {

std::string Named(const std::string& folder, const std::string& path, bool* inside = nullptr)
{
    std::string name;
    const bool in = NameInFolder(folder, path, name);
    if (inside)
        *inside = in;
    return name;
}

// A manager over /cockpits/ that reads every picture as the loader's.
struct CPictureScene
{
    CRecordingUI ui;
    CCountingLoader loader;
    CCPManager m;

    CPictureScene()
    {
        m.SetUserInterface(&ui);
        m.SetImageLoader(&loader);
        m.SetFolder("/cockpits/");
        loader.picture = CBitmap(6, 3, 0xff102030u);
    }

    CCPBuffer* AddBuffer(const std::string& file, int width, int height)
    {
        auto b = std::make_unique<CCPBuffer>(&m);
        b->SetFile(file);
        b->m_nWidth = width;
        b->m_nHeight = height;
        CCPBuffer* raw = b.get();
        m.AddBuffer(std::move(b));
        return raw;
    }

    CCPSurface* AddSurface(int id, CCPBuffer* buffer)
    {
        auto s = std::make_unique<CCPSurface>(&m);
        s->m_nId = id;
        s->m_pBuffer = buffer;
        s->m_strFile = buffer->m_strFile;
        CCPSurface* raw = s.get();
        m.AddSurface(std::move(s));
        return raw;
    }
};

} // namespace

TEST(PictureNames, AreRelativeOnlyForFilesInOrBelowTheCockpitsFolder)
{
    bool inside = false;
    EXPECT_EQ(Named("/a/b/", "/a/b/front.gif", &inside), "front.gif");
    EXPECT_TRUE(inside);
    EXPECT_EQ(Named("/a/b", "/a/b/art/deep/back.png", &inside), "art/deep/back.png");
    EXPECT_TRUE(inside);
    EXPECT_EQ(Named("/a/b/", "/a/b/../b/x.png"), "x.png");

    // Elsewhere, beside the folder, or with no folder yet: the full path.
    for (const auto& [folder, path] : {std::pair<std::string, std::string>{"/a/b/", "/a/x.png"},
                                       {"/a/b/", "/a/bc/x.png"},
                                       {"/a/b/", "/a/b"},
                                       {"/a/b/", "/c/b/x.png"},
                                       {"", "/a/b/x.png"}}) {
        EXPECT_EQ(Named(folder, path, &inside), path) << folder << " " << path;
        EXPECT_FALSE(inside) << folder << " " << path;
    }

#ifndef _WIN32 // links need a privilege there
    // A folder reached through a link and the picture named by its real folder, or the other
    // way round, are the same folder.
    CTempDir dir;
    std::filesystem::create_directories(dir.File("real/art"));
    dir.Write("real/art/p.png", "x");
    std::filesystem::create_directory_symlink(dir.File("real"), dir.File("link"));
    EXPECT_EQ(Named(dir.File("link") + "/", dir.File("real/art/p.png"), &inside), "art/p.png");
    EXPECT_TRUE(inside);
    EXPECT_EQ(Named(dir.File("real"), dir.File("link/art/p.png")), "art/p.png");
#endif
}

TEST(PictureNames, ResolveAsWindowsUsersWriteThem)
{
    CTempDir dir;
    std::filesystem::create_directories(SystemPath(dir.File("Art/Panels")));
    dir.Write("Art/Panels/Front.BMP", "x");
    const std::string folder = dir.Path() + "/";
    auto resolvesToFront = [&](const std::string& name) {
        return std::filesystem::equivalent(SystemPath(ResolveCockpitPath(folder, name)),
                                           SystemPath(dir.File("Art/Panels/Front.BMP")));
    };
    // Either separator, any letter case, in the cockpit's folder or by the full name.
    EXPECT_TRUE(resolvesToFront("art\\panels\\front.bmp"));
    EXPECT_TRUE(resolvesToFront("ART/panels\\FRONT.bmp"));
    std::string full = dir.File("ART/PANELS/front.bmp");
    for (char& c : full)
        if (c == '/')
            c = '\\';
    EXPECT_TRUE(resolvesToFront(full));

    // A server's share is never a name in the cockpit's folder.
    EXPECT_EQ(ResolveCockpitPath(folder, "\\\\server\\share\\front.bmp"),
              "//server/share/front.bmp");
    // A drive letter is a full name on Windows; elsewhere there are no drives.
#ifdef _WIN32
    EXPECT_EQ(ResolveCockpitPath(folder, "Q:\\Cockpits\\front.bmp"), "Q:/Cockpits/front.bmp");
    full[0] = char(std::tolower(static_cast<unsigned char>(full[0])));
    EXPECT_TRUE(resolvesToFront(full));
#else
    EXPECT_EQ(ResolveCockpitPath(folder, "Q:\\Cockpits\\front.bmp"),
              folder + "Q:/Cockpits/front.bmp");
#endif

    // A name longer than any system takes names no file: it stays as written, unwalked.
    const std::string endless = "art\\" + std::string(200000, 'x');
    EXPECT_EQ(ResolveCockpitPath(folder, endless), endless);
}

TEST(PictureNames, UpdatePicturesLoadsWhatANewNameSizeOrFolderNames)
{
    CPictureScene s;
    CCPBuffer* buffer = s.AddBuffer("back.png", 6, 3);
    s.m.m_strTemplateFile = "tmpl.png";
    s.m.m_nTemplateWidth = 4;
    s.m.m_nTemplateHeight = 2;
    ASSERT_TRUE(s.m.LoadTemplate());
    s.loader.paths.clear();
    EXPECT_FALSE(s.m.UpdatePictures()); // nothing changed: nothing read
    EXPECT_TRUE(s.loader.paths.empty());

    // A new template name or size reads the template again, at the size now declared.
    s.m.m_strTemplateFile = "other.png";
    EXPECT_TRUE(s.m.UpdatePictures());
    EXPECT_EQ(s.loader.paths, std::vector<std::string>{"/cockpits/other.png"});
    s.m.m_nTemplateWidth = 5;
    EXPECT_TRUE(s.m.UpdatePictures());
    EXPECT_EQ(s.m.m_bmpTemplate.Width(), 5);
    EXPECT_FALSE(s.m.UpdatePictures());
    EXPECT_EQ(s.loader.paths.size(), 2u);

    // In another folder the same names mean other files: the template and the buffers follow.
    ASSERT_NE(buffer->GetPicture(), nullptr);
    s.m.SetFolder("/elsewhere/");
    EXPECT_TRUE(s.m.UpdatePictures());
    EXPECT_EQ(s.loader.paths.back(), "/elsewhere/other.png");
    EXPECT_EQ(buffer->m_strPath, "/elsewhere/back.png");
    buffer->GetPicture();
    EXPECT_EQ(s.loader.paths.back(), "/elsewhere/back.png");

    // A template picture that cannot be read is told once, not at every later edit.
    s.loader.picture = CBitmap();
    s.m.m_strTemplateFile = "gone.png";
    EXPECT_TRUE(s.m.UpdatePictures());
    EXPECT_FALSE(s.m.UpdatePictures());
    EXPECT_EQ(s.ui.m_aBoxes.size(), 1u);

    // No name, no template picture.
    s.m.m_strTemplateFile.clear();
    EXPECT_TRUE(s.m.UpdatePictures());
    EXPECT_TRUE(s.m.m_bmpTemplate.IsNull());
    EXPECT_EQ(s.ui.m_aBoxes.size(), 1u);
}

TEST(PictureNames, ASurfaceGivenAnotherFileIsCutFromThatPicture)
{
    CPictureScene s;
    CCPBuffer* shared = s.AddBuffer("back.png", 640, 480);
    CCPSurface* first = s.AddSurface(7, shared);
    CCPSurface* second = s.AddSurface(8, shared);
    CCPSurface* third = s.AddSurface(9, shared);

    // A file no buffer holds gets a buffer of its own, the size of its picture; the other
    // surfaces stay on the old picture.
    first->SetFile("new.png");
    ASSERT_NE(first->m_pBuffer, shared);
    ASSERT_NE(first->m_pBuffer, nullptr);
    EXPECT_EQ(first->m_pBuffer->m_strFile, "new.png");
    EXPECT_EQ(first->m_pBuffer->m_strPath, "/cockpits/new.png");
    EXPECT_EQ(first->m_pBuffer->m_nWidth, 6);
    EXPECT_EQ(first->m_pBuffer->m_nHeight, 3);
    EXPECT_EQ(second->m_pBuffer, shared);
    EXPECT_EQ(s.m.m_aBuffers.size(), 2u);

    // A file a buffer holds already (in any letter case) is cut from that buffer.
    second->SetFile("NEW.PNG");
    EXPECT_EQ(second->m_pBuffer, first->m_pBuffer);
    EXPECT_EQ(s.m.m_aBuffers.size(), 2u);

    // A picture that cannot be read is told once; its buffer keeps the old buffer's size.
    s.loader.picture = CBitmap();
    third->SetFile("gone.png");
    EXPECT_EQ(third->m_pBuffer->m_nWidth, 640);
    EXPECT_EQ(third->m_pBuffer->m_nHeight, 480);
    EXPECT_EQ(third->m_pBuffer->GetPicture(), nullptr);
    EXPECT_EQ(s.ui.m_aBoxes.size(), 1u);

    // The same name again changes nothing.
    CCPBuffer* before = third->m_pBuffer;
    third->SetFile("gone.png");
    EXPECT_EQ(third->m_pBuffer, before);
    EXPECT_EQ(s.m.m_aBuffers.size(), 3u);
}
