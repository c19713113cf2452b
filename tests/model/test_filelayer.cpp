// What the file layer promises on every system: a failed save keeps the old file, names that
// are not ASCII work, and bytes are read and written as they are.
#include "filepaths.h"
#include "strformat.h"
#include "testcockpit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {
// The file at path made read-only the way the system has it (no write bits; on Windows the
// read-only attribute), and writable again when the test is done.
class CReadOnly
{
public:
    explicit CReadOnly(const std::string& path) : m_path(SystemPath(path))
    {
        fs::permissions(m_path,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    ~CReadOnly()
    {
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_write, fs::perm_options::add, ec);
    }
    CReadOnly(const CReadOnly&) = delete;
    CReadOnly& operator=(const CReadOnly&) = delete;

private:
    fs::path m_path;
};
} // namespace

TEST(FileLayer, AFailedSaveKeepsTheOldFileAndLeavesNothingBeside)
{
    CTempDir dir;
    dir.Write("c.dat", "old bytes");
    std::string error;

    // The folder is missing: nothing is made, and the reason names the file.
    EXPECT_FALSE(WriteFileSafely(dir.File("none/c.dat"), "new", &error));
    EXPECT_TRUE(StartsWith(error, dir.File("none/c.dat") + ": ")) << error;
    EXPECT_GT(error.size(), dir.File("none/c.dat").size() + 2);
    EXPECT_EQ(dir.Names(), std::set<std::string>{"c.dat"});

    // A read-only file is a file its owner keeps as it is.
    {
        CReadOnly locked(dir.File("c.dat"));
        EXPECT_FALSE(WriteFileSafely(dir.File("c.dat"), "new", &error));
#ifdef _WIN32
        EXPECT_TRUE(StartsWith(error, dir.File("c.dat") + ": the file is read-only: ")) << error;
#else
        EXPECT_EQ(error, dir.File("c.dat") + ": the file is write-protected");
#endif
        EXPECT_EQ(dir.Read("c.dat"), "old bytes");
        EXPECT_EQ(dir.Names(), std::set<std::string>{"c.dat"});
    }

    // A folder is not replaced by a file.
    fs::create_directory(SystemPath(dir.File("folder.dat")));
    EXPECT_FALSE(WriteFileSafely(dir.File("folder.dat"), "new", &error));
    EXPECT_EQ(error, dir.File("folder.dat") + ": Is a directory");
    EXPECT_TRUE(fs::is_directory(SystemPath(dir.File("folder.dat"))));

    // Writable again, the save replaces it, and only the file is there afterwards.
    EXPECT_TRUE(WriteFileSafely(dir.File("c.dat"), "new bytes", &error)) << error;
    EXPECT_EQ(dir.Read("c.dat"), "new bytes");
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"c.dat", "folder.dat"}));
}

TEST(FileLayer, NamesThatAreNotAsciiSaveAndRead)
{
    CTempDir dir;
    const std::string folder = dir.File("Cockpits ÄÖÜ 飛行");
    ASSERT_TRUE(fs::create_directory(SystemPath(folder)));
    const std::string path = folder + "/10_démo ü.dat";
    std::string error, data;
    ASSERT_TRUE(WriteFileSafely(path, "first", &error)) << error;
    ASSERT_TRUE(WriteFileSafely(path, "second", &error)) << error; // the replace, too
    EXPECT_TRUE(ReadWholeFile(path, data));
    EXPECT_EQ(data, "second");
    const CFileStamp stamp = StampOf(path);
    EXPECT_TRUE(stamp.exists);
    EXPECT_EQ(stamp.size, 6u);

    // The system holds the names as they were given, not as some code page read them.
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(SystemPath(folder)))
        names.insert(PathText(e.path().filename()));
    EXPECT_EQ(names, std::set<std::string>{"10_démo ü.dat"});
    EXPECT_EQ(dir.Names(), std::set<std::string>{"Cockpits ÄÖÜ 飛行"});
    EXPECT_TRUE(fs::equivalent(SystemPath(ResolveCockpitPath(folder + "/", "10_DéMO ü.DAT")),
                               SystemPath(path)));

#ifdef _WIN32
    // A name in a cockpit that is not UTF-8 is read as Latin-1, as the editor shows it.
    ASSERT_TRUE(WriteFileSafely(folder + "/caf\xe9.png", "picture", &error)) << error;
    EXPECT_TRUE(ReadWholeFile(folder + "/café.png", data));
    EXPECT_EQ(data, "picture");
#endif
}

TEST(FileLayer, BytesAreReadAndWrittenAsTheyAre)
{
    CTempDir dir;
    // Line ends of every kind, a Ctrl+Z (the end of a text file to some readers) and a NUL.
    const std::string bytes = std::string("// a\r\n#1 SOUND\nx\r\r\n\x1a after\0 end\n\r", 32);
    std::string error, data;
    ASSERT_TRUE(WriteFileSafely(dir.File("c.dat"), bytes, &error)) << error;
    EXPECT_EQ(StampOf(dir.File("c.dat")).size, bytes.size());
    ASSERT_TRUE(ReadWholeFile(dir.File("c.dat"), data));
    EXPECT_EQ(data, bytes);

    // The start of a file only, as much as asked for.
    CFileReader reader;
    EXPECT_TRUE(reader.ReadStart(dir.File("c.dat"), data, 8, error));
    EXPECT_EQ(data, bytes.substr(0, 8));
    EXPECT_TRUE(reader.ReadStart(dir.File("c.dat"), data, 1000, error));
    EXPECT_EQ(data, bytes);
    dir.Write("empty.dat", "");
    EXPECT_FALSE(reader.ReadStart(dir.File("empty.dat"), data, 8, error));
}

TEST(FileLayer, AFileReadWholeTakesTheRoomOfItsSize)
{
    // Sizes around the read's chunk, where the read that finds the end used to grow the text
    // into twice its room.
    CTempDir dir;
    CFileReader reader;
    std::string error;
    for (const size_t size :
         {size_t(0), size_t(1), size_t(65536), size_t(65537), size_t(3000000)}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; i += 4093)
            bytes[i] = char('a' + i % 26);
        dir.Write("c.dat", bytes);
        std::string data;
        ASSERT_TRUE(reader.ReadFile(dir.File("c.dat"), data, kMaxCockpitBytes, error)) << error;
        EXPECT_TRUE(data == bytes) << size;
        EXPECT_LE(data.capacity(), size + 64) << size;
    }
}

TEST(FileLayer, AStampTellsWhetherAFileChanged)
{
    CTempDir dir;
    EXPECT_FALSE(StampOf(dir.File("c.dat")).exists);
    dir.Write("c.dat", "one");
    const CFileStamp first = StampOf(dir.File("c.dat"));
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.size, 3u);
    EXPECT_EQ(StampOf(dir.File("c.dat")), first);
    // A save puts another file in its place.
    std::string error;
    ASSERT_TRUE(WriteFileSafely(dir.File("c.dat"), "two", &error)) << error;
    EXPECT_NE(StampOf(dir.File("c.dat")), first);
}
