// Saving replaces a file so that nothing is lost whatever happens on the way, and reading
// takes a file whole or not at all.
// POSIX only: links, modes, FIFOs, devices and file size limits. What Windows has of them is
// tested in test_filelayer.cpp.
#ifndef _WIN32
#include "failingreader.h"
#include "filepaths.h"
#include "testcockpit.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct stat Lstat(const std::string& path)
{
    struct stat st = {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return st;
}

std::string LinkText(const std::string& path)
{
    char buf[4096];
    const ssize_t n = readlink(path.c_str(), buf, sizeof buf);
    return n < 0 ? std::string() : std::string(buf, size_t(n));
}

// Files above a few bytes cannot be written while it lives; the write fails instead of
// ending the process.
class CFileSizeLimit
{
public:
    explicit CFileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

} // namespace

TEST(SafeWrite, ALinkStaysALinkAndItsTargetGetsTheNewBytes)
{
    CTempDir dir;
    mkdir(dir.File("real").c_str(), 0755);
    dir.Write("real/c.dat", "old");
    ASSERT_EQ(symlink("real/c.dat", dir.File("link.dat").c_str()), 0);
    ASSERT_EQ(symlink(dir.File("link.dat").c_str(), dir.File("chain.dat").c_str()), 0);
    ASSERT_EQ(symlink("made.dat", dir.File("dangling.dat").c_str()), 0);

    std::string error;
    ASSERT_TRUE(WriteFileSafely(dir.File("chain.dat"), "new", &error)) << error;
    EXPECT_TRUE(S_ISLNK(Lstat(dir.File("chain.dat")).st_mode));
    EXPECT_TRUE(S_ISLNK(Lstat(dir.File("link.dat")).st_mode));
    EXPECT_EQ(LinkText(dir.File("link.dat")), "real/c.dat");
    EXPECT_EQ(dir.Read("real/c.dat"), "new");

    // A link to a file not made yet makes the file and keeps the link.
    ASSERT_TRUE(WriteFileSafely(dir.File("dangling.dat"), "made", &error)) << error;
    EXPECT_TRUE(S_ISLNK(Lstat(dir.File("dangling.dat")).st_mode));
    EXPECT_EQ(dir.Read("made.dat"), "made");
    EXPECT_EQ(dir.Names(),
              (std::set<std::string>{"real", "link.dat", "chain.dat", "dangling.dat", "made.dat"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("real")), {}),
              1); // c.dat alone
}

TEST(SafeWrite, TheOldFilesModeOwnerAndGroupStay)
{
    CTempDir dir;
    const std::string path = dir.File("c.dat");
    for (mode_t mode : {0600, 0640, 0755, 0604}) {
        dir.Write("c.dat", "old");
        chmod(path.c_str(), mode);
        std::string error;
        ASSERT_TRUE(WriteFileSafely(path, "new", &error)) << error;
        EXPECT_EQ(Lstat(path).st_mode & 07777, mode);
        EXPECT_EQ(dir.Read("c.dat"), "new");
    }
    // A new file takes the usual mode less the umask.
    const mode_t mask = umask(022);
    ASSERT_TRUE(WriteFileSafely(dir.File("fresh.dat"), "x"));
    umask(mask);
    EXPECT_EQ(Lstat(dir.File("fresh.dat")).st_mode & 07777, 0644u);

    if (geteuid() == 0) { // only the superuser may give a file away
        ASSERT_EQ(chown(path.c_str(), 4321, 8765), 0);
        ASSERT_TRUE(WriteFileSafely(path, "owned"));
        EXPECT_EQ(Lstat(path).st_uid, 4321u);
        EXPECT_EQ(Lstat(path).st_gid, 8765u);
    }
}

TEST(SafeWrite, WriteProtectedFilesAndWhatIsNoRegularFileAreRefusedUntouched)
{
    CTempDir dir;
    dir.Write("locked.dat", "kept");
    chmod(dir.File("locked.dat").c_str(), 0444);
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0644), 0);
    ASSERT_EQ(symlink("pipe", dir.File("to-pipe.dat").c_str()), 0);
    mkdir(dir.File("folder.dat").c_str(), 0755);

    std::string error;
    EXPECT_FALSE(WriteFileSafely(dir.File("locked.dat"), "new", &error));
    EXPECT_EQ(error, dir.File("locked.dat") + ": the file is write-protected");
    EXPECT_EQ(dir.Read("locked.dat"), "kept");
    EXPECT_EQ(Lstat(dir.File("locked.dat")).st_mode & 07777, 0444u);

    for (const std::string name : {"pipe", "to-pipe.dat"}) {
        EXPECT_FALSE(WriteFileSafely(dir.File(name), "new", &error));
        EXPECT_EQ(error, dir.File(name) + ": not a regular file");
    }
    EXPECT_TRUE(S_ISFIFO(Lstat(dir.File("pipe")).st_mode));
    EXPECT_TRUE(S_ISLNK(Lstat(dir.File("to-pipe.dat")).st_mode));
    EXPECT_FALSE(WriteFileSafely("/dev/null", "new", &error));
    EXPECT_EQ(error, "/dev/null: not a regular file");
    EXPECT_TRUE(S_ISCHR(Lstat("/dev/null").st_mode));
    EXPECT_FALSE(WriteFileSafely(dir.File("folder.dat"), "new", &error));
    EXPECT_EQ(error, dir.File("folder.dat") + ": Is a directory");
    EXPECT_FALSE(WriteFileSafely(dir.File("none/c.dat"), "new", &error));
    EXPECT_EQ(error, dir.File("none/c.dat") + ": No such file or directory");
    EXPECT_EQ(dir.Names(),
              (std::set<std::string>{"locked.dat", "pipe", "to-pipe.dat", "folder.dat"}));
}

TEST(SafeWrite, TheNewFileIsMadeExclusivelyAndNothingIsLeftWhenAWriteFails)
{
    CTempDir dir;
    dir.Write("c.dat", "old bytes");
    dir.Write("victim.dat", "victim");
    dir.Write("d.dat.vireo-tmp", "unrelated");
    // A link planted where a fixed temporary name would be.
    ASSERT_EQ(symlink("victim.dat", dir.File("c.dat.vireo-tmp").c_str()), 0);
    std::string error;
    ASSERT_TRUE(WriteFileSafely(dir.File("c.dat"), "new", &error)) << error;
    ASSERT_TRUE(WriteFileSafely(dir.File("d.dat"), "new", &error)) << error;
    EXPECT_EQ(dir.Read("c.dat"), "new");
    EXPECT_EQ(dir.Read("victim.dat"), "victim");
    EXPECT_EQ(dir.Read("d.dat.vireo-tmp"), "unrelated");
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"c.dat", "d.dat", "victim.dat", "c.dat.vireo-tmp",
                                                  "d.dat.vireo-tmp"}));

    // The disk fills up half way: the old file stays whole and no new file is left over.
    const std::string big(64 * 1024, 'x');
    {
        CFileSizeLimit limit(4096);
        EXPECT_FALSE(WriteFileSafely(dir.File("c.dat"), big, &error));
    }
    EXPECT_EQ(error, dir.File("c.dat") + ": File too large");
    EXPECT_EQ(dir.Read("c.dat"), "new");
    EXPECT_EQ(dir.Names().size(), 5u);
}

// Bytes made while they are written (a large save never held whole) keep the promises of a
// save of one string: all of them or the old file.
TEST(SafeWrite, BytesWrittenAsTheyAreMadeReplaceTheFileWholeOrNotAtAll)
{
    CTempDir dir;
    dir.Write("c.dat", "old");
    const std::string piece(40000, 'p');
    auto pieces = [&](int count, bool made) -> CBytesMaker {
        return [&piece, count, made](const std::function<bool(std::string_view)>& put) {
            for (int i = 0; i < count; ++i)
                if (!put(piece) || !put("\r\n"))
                    return false;
            return made;
        };
    };
    std::string error;
    ASSERT_TRUE(WriteFileSafely(dir.File("c.dat"), pieces(3, true), &error)) << error;
    EXPECT_TRUE(dir.Read("c.dat") == piece + "\r\n" + piece + "\r\n" + piece + "\r\n");

    dir.Write("c.dat", "old");
    // The maker gives up part way: nothing of it is kept.
    EXPECT_FALSE(WriteFileSafely(dir.File("c.dat"), pieces(2, false), &error));
    EXPECT_EQ(error, dir.File("c.dat") + ": the bytes could not be made");
    EXPECT_EQ(dir.Read("c.dat"), "old");
    // The disk fills up after the first pieces: the cause is the write's.
    {
        CFileSizeLimit limit(50000);
        EXPECT_FALSE(WriteFileSafely(dir.File("c.dat"), pieces(3, true), &error));
    }
    EXPECT_EQ(error, dir.File("c.dat") + ": File too large");
    EXPECT_EQ(dir.Read("c.dat"), "old");
    EXPECT_EQ(dir.Names(), std::set<std::string>{"c.dat"});
}

TEST(SafeRead, AReadErrorPartWayFailsTheRead)
{
    CTempDir dir;
    const std::string text(300000, 'k');
    dir.Write("c.dat", text);
    std::string data = "before", error;
    CFailingReader failing(100000);
    EXPECT_FALSE(failing.ReadFile(dir.File("c.dat"), data, kMaxCockpitBytes, error));
    EXPECT_EQ(error, "Input/output error");
    EXPECT_EQ(data, "before");

    CFailingReader enough(text.size() + 1); // the end of the file comes before the failure
    EXPECT_TRUE(enough.ReadFile(dir.File("c.dat"), data, kMaxCockpitBytes, error));
    EXPECT_TRUE(data == text);
}

TEST(SafeRead, OnlyRegularFilesUpToTheLimitAreRead)
{
    CTempDir dir;
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0644), 0); // no writer: opening it must not wait
    dir.Write("small.dat", std::string(1001, 'a'));
    std::string data, error;
    CFileReader reader;
    EXPECT_FALSE(reader.ReadFile(dir.File("pipe"), data, kMaxCockpitBytes, error));
    EXPECT_EQ(error, "not a regular file");
    for (const char* device : {"/dev/zero", "/dev/stdin", "/dev/null"}) {
        struct stat st;
        if (stat(device, &st) == 0 && !S_ISREG(st.st_mode)) {
            EXPECT_FALSE(reader.ReadFile(device, data, kMaxCockpitBytes, error)) << device;
        }
    }
    EXPECT_FALSE(reader.ReadFile(dir.Path(), data, kMaxCockpitBytes, error));
    EXPECT_EQ(error, "Is a directory");
    EXPECT_FALSE(reader.ReadFile(dir.File("small.dat"), data, 1000, error));
    EXPECT_EQ(error, "the file is larger than 1000 bytes");
    EXPECT_TRUE(reader.ReadFile(dir.File("small.dat"), data, 1001, error));

    // A cockpit above 1 GiB is refused from its size, before anything is read.
    const int fd = open(dir.File("huge.dat").c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t(kMaxCockpitBytes) + 1), 0);
    close(fd);
    EXPECT_FALSE(ReadWholeFile(dir.File("huge.dat"), data));
    EXPECT_FALSE(reader.ReadFile(dir.File("huge.dat"), data, kMaxCockpitBytes, error));
    EXPECT_EQ(error, "the file is larger than 1 GiB");

    // A file that says it is empty but goes on (as /proc files do) is read up to the limit.
    EXPECT_TRUE(reader.ReadFile("/proc/self/status", data, kMaxCockpitBytes, error));
    EXPECT_NE(data.find("Name:"), std::string::npos);
    EXPECT_FALSE(reader.ReadFile("/proc/self/status", data, 10, error));
}

#endif // !_WIN32
