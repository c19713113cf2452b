// Saving among other users and under signals: planted links, ACLs and attributes, and the new
// files of interrupted saves.
// POSIX only: links, owners, attributes, locks and signals. What Windows has of them is
// tested in test_filelayer.cpp.
#ifndef _WIN32
#include "filepaths.h"
#include "testcockpit.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// The names in dir that a save left beside its target.
std::set<std::string> Leftovers(const CTempDir& dir)
{
    std::set<std::string> found;
    for (const std::string& name : dir.Names())
        if (name.find(".vireo-") != std::string::npos)
            found.insert(name);
    return found;
}

// A POSIX access ACL as the file system stores it: owner rw, user uid rw, group r, mask rw,
// others r.
std::string AccessAcl(uint32_t uid)
{
    std::string acl;
    const auto put32 = [&acl](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            acl += char((v >> (8 * i)) & 0xff);
    };
    const auto entry = [&](uint16_t tag, uint16_t perm, uint32_t id) {
        acl += char(tag & 0xff);
        acl += char(tag >> 8);
        acl += char(perm & 0xff);
        acl += char(perm >> 8);
        put32(id);
    };
    put32(2); // version
    entry(0x01, 6, 0xffffffffu);
    entry(0x02, 6, uid);
    entry(0x04, 4, 0xffffffffu);
    entry(0x10, 6, 0xffffffffu);
    entry(0x20, 4, 0xffffffffu);
    return acl;
}

std::string Attribute(const std::string& path, const char* name)
{
    char buf[256];
    const ssize_t n = getxattr(path.c_str(), name, buf, sizeof buf);
    return n < 0 ? std::string() : std::string(buf, size_t(n));
}

} // namespace

TEST(SaveHazards, ALinkAnotherUserPlantedInASharedFolderIsNotFollowed)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs a second user: runs as root";
    CTempDir dir;
    const std::string shared = dir.File("shared");
    ASSERT_EQ(mkdir(shared.c_str(), 0777), 0);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0); // as /tmp is
    dir.Write("victim.dat", "precious");
    const std::string planted = shared + "/out.dat";
    ASSERT_EQ(symlink(dir.File("victim.dat").c_str(), planted.c_str()), 0);
    ASSERT_EQ(lchown(planted.c_str(), 65534, 65534), 0); // another user's link
    const std::string dangling = shared + "/new.dat";
    ASSERT_EQ(symlink(dir.File("created.dat").c_str(), dangling.c_str()), 0);
    ASSERT_EQ(lchown(dangling.c_str(), 65534, 65534), 0);

    std::string error;
    EXPECT_FALSE(WriteFileSafely(planted, "overwritten", &error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_EQ(dir.Read("victim.dat"), "precious");
    EXPECT_FALSE(WriteFileSafely(dangling, "made", &error));
    EXPECT_EQ(dir.Names().count("created.dat"), 0u);

    // One's own link there, and another user's link in a folder that is not shared, are
    // followed as before.
    ASSERT_EQ(lchown(planted.c_str(), 0, 0), 0);
    EXPECT_TRUE(WriteFileSafely(planted, "mine", &error)) << error;
    EXPECT_EQ(dir.Read("victim.dat"), "mine");
    ASSERT_EQ(chmod(shared.c_str(), 0755), 0);
    ASSERT_EQ(lchown(planted.c_str(), 65534, 65534), 0);
    EXPECT_TRUE(WriteFileSafely(planted, "private folder", &error)) << error;
    EXPECT_EQ(dir.Read("victim.dat"), "private folder");
}

TEST(SaveHazards, TheFilesAclAndExtendedAttributesStay)
{
    CTempDir dir;
    const std::string path = dir.File("c.dat");
    dir.Write("c.dat", "old");
    chmod(path.c_str(), 0664);
    if (setxattr(path.c_str(), "user.vireo.note", "kept", 4, 0) != 0)
        GTEST_SKIP() << "no extended attributes here: " << std::strerror(errno);
    const std::string acl = AccessAcl(65534);
    const bool hasAcl =
        setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;

    std::string error, warning;
    ASSERT_TRUE(WriteFileSafely(path, "new", &error, &warning)) << error;
    EXPECT_EQ(warning, "");
    EXPECT_EQ(dir.Read("c.dat"), "new");
    EXPECT_EQ(Attribute(path, "user.vireo.note"), "kept");
    if (hasAcl) {
        EXPECT_EQ(Attribute(path, "system.posix_acl_access"), acl);
    }
}

TEST(SaveHazards, NewFilesOfKilledSavesGoButNotOnesStillWrittenOrJustMade)
{
    CTempDir dir;
    const std::string path = dir.File("c.dat");
    dir.Write("c.dat", "old");
    const auto age = [&](const std::string& name, int seconds) {
        const timespec when[2] = {{time(nullptr) - seconds, 0}, {time(nullptr) - seconds, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, dir.File(name).c_str(), when, 0), 0);
    };
    dir.Write(".c.dat.vireo-killed01", std::string(4096, 'x'));
    age(".c.dat.vireo-killed01", 120);
    dir.Write(".c.dat.vireo-writing1", "half");
    age(".c.dat.vireo-writing1", 120);
    dir.Write(".c.dat.vireo-justmade", "");
    dir.Write(".other.dat.vireo-killed02", "another file's");
    age(".other.dat.vireo-killed02", 120);
    // Another save still writes this one: it holds the lock.
    const int writer = open(dir.File(".c.dat.vireo-writing1").c_str(), O_RDONLY);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(flock(writer, LOCK_EX), 0);

    ASSERT_TRUE(WriteFileSafely(path, "new"));
    EXPECT_EQ(Leftovers(dir),
              (std::set<std::string>{".c.dat.vireo-writing1", ".c.dat.vireo-justmade",
                                     ".other.dat.vireo-killed02"}));
    close(writer);
    EXPECT_EQ(dir.Read("c.dat"), "new");
}

TEST(SaveHazards, ATerminatedSaveRemovesItsNewFileAndEndsAsTheSignalWould)
{
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        CTempDir dir;
        const std::string path = dir.File("big.dat");
        dir.Write("big.dat", "old");
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const std::string data(size_t(64) << 20, 'x');
            (void)!write(ready[1], "r", 1);
            WriteFileSafely(path, data);
            _exit(3);
        }
        char byte = 0;
        ASSERT_EQ(read(ready[0], &byte, 1), 1);
        close(ready[0]);
        close(ready[1]);
        // The child is stopped as soon as its new file has data, and signalled there.
        bool seen = false;
        for (int i = 0; i < 20000 && !seen; ++i) {
            for (const std::string& name : Leftovers(dir)) {
                struct stat st;
                seen = seen || (stat(dir.File(name).c_str(), &st) == 0 && st.st_size > 0);
            }
            if (seen)
                kill(child, SIGSTOP);
            else
                usleep(200);
        }
        kill(child, sig);
        kill(child, SIGCONT);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (!seen || (WIFEXITED(status) && WEXITSTATUS(status) == 3))
            GTEST_SKIP() << "the save ended before the signal came";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
        EXPECT_EQ(Leftovers(dir), std::set<std::string>()) << sig;
        EXPECT_EQ(dir.Read("big.dat"), "old");
    }
}

#endif // !_WIN32
