#include "filepaths.h"

#include "strformat.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <new>
#include <random>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

// The parts of the file layer that speak to the system are here for POSIX systems and in
// filepathswin.cpp for Windows.

namespace fs = std::filesystem;

std::string FolderOf(const std::string& path)
{
    size_t p = path.rfind('/');
    if (p == std::string::npos)
        p = path.rfind('\\');
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string FileNameOf(const std::string& path)
{
    size_t p = path.rfind('/');
    if (p == std::string::npos)
        p = path.rfind('\\');
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string NameKey(const std::string& name)
{
    if (!NamesNoFile(name))
        return name;
    uint64_t digest = 14695981039346656037ull; // FNV-1a over the name in lower case
    for (const char c : name) {
        digest ^= uint8_t(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        digest *= 1099511628211ull;
    }
    return "\n" + std::to_string(name.size()) + ":" + std::to_string(digest);
}

std::string ResolveCockpitPath(const std::string& folder, const std::string& name)
{
    if (NamesNoFile(name))
        return name; // not walked through the folders
    std::string n = name;
    for (char& c : n)
        if (c == '\\')
            c = '/';
    // A server's share (\\server\share\x) is a full name as written, on every system: not
    // joined to the folder, not matched against the folders of a local disk.
    if (n.compare(0, 2, "//") == 0)
        return n;
    fs::path p = SystemPath(n);
    if (p.is_relative() && !folder.empty())
        p = SystemPath(folder) / p;
    std::error_code ec;
    if (n.empty() || fs::exists(p, ec))
        return PathText(p);
    // Walk the parts, taking a differently cased entry where the written one is missing.
    fs::path found = p.root_path();
    for (const fs::path& part : p.relative_path()) {
        fs::path next = found / part;
        if (!fs::exists(next, ec) && fs::is_directory(found.empty() ? "." : found, ec)) {
            for (const auto& e : fs::directory_iterator(found.empty() ? "." : found, ec)) {
                const std::string entry = PathText(e.path().filename());
                if (EqualsNoCase(entry, PathText(part))) {
                    next = found / e.path().filename();
                    break;
                }
            }
        }
        found = next;
    }
    const fs::path& result = fs::exists(found, ec) ? found : p;
    return PathText(result);
}

namespace {
// The part of file below base, when file lies below it.
bool RelativeBelow(const fs::path& base, const fs::path& file, std::string& name)
{
    if (base.empty() || file.empty())
        return false;
    fs::path folder = base.lexically_normal();
    if (!folder.has_filename() && folder.has_relative_path())
        folder = folder.parent_path(); // "/a/b/" is the folder "/a/b"
    const fs::path rel = file.lexically_normal().lexically_relative(folder);
    if (rel.empty() || rel.is_absolute() || *rel.begin() == ".." || rel == ".")
        return false;
    name = PathText(rel);
    return true;
}
} // namespace

bool NameInFolder(const std::string& folder, const std::string& path, std::string& name)
{
    name = path;
    if (folder.empty())
        return false;
    std::string rel;
    // As written first; then through links, as a chooser may show either form of the folder.
    std::error_code ec1, ec2;
    if (RelativeBelow(SystemPath(folder), SystemPath(path), rel) ||
        RelativeBelow(fs::weakly_canonical(SystemPath(folder), ec1),
                      fs::weakly_canonical(SystemPath(path), ec2), rel)) {
        name = rel;
        return true;
    }
    return false;
}

std::string ByteSizeText(uint64_t bytes)
{
    constexpr uint64_t kMiB = uint64_t(1) << 20, kGiB = uint64_t(1) << 30;
    if (bytes >= kGiB && bytes % kGiB == 0)
        return StrFormat("%llu GiB", (unsigned long long)(bytes / kGiB));
    if (bytes >= kMiB && bytes % kMiB == 0)
        return StrFormat("%llu MiB", (unsigned long long)(bytes / kMiB));
    return StrFormat("%llu bytes", (unsigned long long)bytes);
}

bool CFileReader::ReadFile(const std::string& path, std::string& data, uint64_t maxBytes,
                           std::string& error)
{
    return Read(path, data, maxBytes, false, error);
}

bool CFileReader::ReadStart(const std::string& path, std::string& data, uint64_t bytes,
                            std::string& error)
{
    return Read(path, data, bytes, true, error) && !data.empty();
}

bool CFileReader::Read(const std::string& path, std::string& data, uint64_t maxBytes, bool cut,
                       std::string& error)
{
    uint64_t size = 0;
    const int fd = OpenRegular(path, size, error);
    if (fd < 0)
        return false;
    struct CClose
    {
        int fd;
        ~CClose() { CloseFile(fd); }
    } const closer{fd};
    const std::string tooLarge = "the file is larger than " + ByteSizeText(maxBytes);
    if (size > maxBytes && !cut) {
        error = tooLarge;
        return false;
    }
    try {
        std::string text;
        // One byte past the announced size, so the read that finds the end stays inside the
        // room: growing the string there would copy the whole text into twice its size.
        text.reserve(size_t(std::min(size, maxBytes)) + 1);
        // A file may grow while it is read (or claim size 0, as /proc files do): the limit
        // holds for what is read, not only for what was announced.
        constexpr size_t kChunk = 1 << 16;
        for (;;) {
            const size_t at = text.size();
            const size_t room = text.capacity() - at;
            size_t want = room > 0 ? std::min(kChunk, room) : kChunk;
            if (cut)
                want = size_t(std::min<uint64_t>(want, maxBytes - at));
            if (want == 0)
                break;
            text.resize(at + want);
            const long n = ReadSome(fd, text.data() + at, want);
            if (n < 0) {
                const int err = errno;
                text.resize(at);
                if (err == EINTR)
                    continue;
                error = std::strerror(err);
                return false;
            }
            text.resize(at + size_t(n));
            if (n == 0)
                break;
            if (text.size() > maxBytes) {
                error = tooLarge;
                return false;
            }
        }
        data = std::move(text);
    } catch (const std::bad_alloc&) {
        error = "not enough memory to read the file";
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& data)
{
    CFileReader reader;
    std::string error;
    return reader.ReadFile(path, data, kMaxCockpitBytes, error);
}

bool WriteFileSafely(const std::string& path, const std::string& data, std::string* errorText,
                     std::string* warningText)
{
    return WriteFileSafely(
        path, [&data](const std::function<bool(std::string_view)>& put) { return put(data); },
        errorText, warningText);
}

#ifndef _WIN32

fs::path SystemPath(const std::string& name)
{
    return fs::path(name);
}

std::string PathText(const fs::path& path)
{
    return path.generic_string();
}

namespace {

// Closes a descriptor on every way out.
struct CFd
{
    int fd = -1;
    ~CFd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int Release()
    {
        const int f = fd;
        fd = -1;
        return f;
    }
};

std::string Errno(int err)
{
    return std::strerror(err);
}

} // namespace

long CFileReader::ReadSome(int fd, char* buffer, size_t size)
{
    return long(::read(fd, buffer, size));
}

void CFileReader::CloseFile(int fd)
{
    ::close(fd);
}

int CFileReader::OpenRegular(const std::string& path, uint64_t& size, std::string& error)
{
    // What is known not to be a regular file is not even opened (opening a device can do
    // things); the check on the open file below is the one that holds.
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? Errno(EISDIR) : "not a regular file";
        return -1;
    }
    // Non-blocking: opening a FIFO without a writer would otherwise wait for ever.
    CFd f;
    f.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (f.fd < 0) {
        error = Errno(errno);
        return -1;
    }
    if (::fstat(f.fd, &st) != 0) {
        error = Errno(errno);
        return -1;
    }
    if (S_ISDIR(st.st_mode)) {
        error = Errno(EISDIR);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = "not a regular file";
        return -1;
    }
    size = uint64_t(st.st_size);
    return f.Release();
}

CFileStamp StampOf(const std::string& path)
{
    CFileStamp s;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return s;
    s.exists = true;
    s.device = uint64_t(st.st_dev);
    s.inode = uint64_t(st.st_ino);
    s.size = uint64_t(st.st_size);
    s.mtime = int64_t(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    s.ctime = int64_t(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
    return s;
}

namespace {

// Splits at the last "/" only: on this system a "\" is part of a file name.
std::string DirOf(const std::string& path)
{
    const size_t p = path.rfind('/');
    if (p == std::string::npos)
        return ".";
    return p == 0 ? "/" : path.substr(0, p);
}

std::string BaseOf(const std::string& path)
{
    const size_t p = path.rfind('/');
    return p == std::string::npos ? path : path.substr(p + 1);
}

// The system's rule for links in sticky world-writable folders (fs.protected_symlinks): such a
// link is followed only by its owner, or when it belongs to the folder's owner. Applied here
// as the kernel would, since the save resolves links itself.
bool MayFollow(const std::string& link, const struct stat& st)
{
    struct stat dir;
    if (::stat(DirOf(link).c_str(), &dir) != 0)
        return true;
    const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
    return !shared || st.st_uid == ::geteuid() || st.st_uid == dir.st_uid;
}

// Follows path through every link to the file a write must replace; a link to nothing
// yet resolves to the name the link points at.
bool FollowLinks(const std::string& path, std::string& target, int& err)
{
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat st;
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno == ENOENT)
                return true;
            err = errno;
            return false;
        }
        if (!S_ISLNK(st.st_mode))
            return true;
        if (!MayFollow(target, st)) {
            err = EACCES;
            return false;
        }
        if (hops >= 40) {
            err = ELOOP;
            return false;
        }
        std::string link(size_t(st.st_size > 0 ? st.st_size : 0) + 256, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) {
            err = errno;
            return false;
        }
        link.resize(size_t(n));
        if (link.empty()) {
            err = ENOENT;
            return false;
        }
        target = link[0] == '/' ? link : (DirOf(target) == "/" ? "/" : DirOf(target) + "/") + link;
    }
}

// A new file beside target, created exclusively: nothing that already exists under the
// chosen name (a planted link among them) is opened or replaced.
int CreateUnique(const std::string& target, mode_t mode, std::string& tmp)
{
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    std::mt19937_64 rng((uint64_t(seed()) << 32) ^ uint64_t(::getpid()) ^ counter.fetch_add(1));
    // Room for the suffix within the usual 255-byte name limit.
    const std::string base = BaseOf(target).substr(0, 200);
    const std::string dir = DirOf(target);
    static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix;
        for (int i = 0; i < 8; ++i)
            suffix += kDigits[rng() % (sizeof kDigits - 1)];
        tmp = (dir == "/" ? "/" : dir + "/") + "." + base + ".vireo-" + suffix;
        const int fd =
            ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view data)
{
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, std::min<size_t>(left, size_t(1) << 30));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= size_t(n);
    }
    return true;
}

// The new files being written now, removed if a signal ends the process on the way. Plain
// pointers in atomics: the handler may only read and unlink.
constexpr int kPendingSlots = 64;
std::atomic<const char*> g_apPending[kPendingSlots];
struct sigaction g_aPrevious[3];
constexpr int kCleanSignals[3] = {SIGINT, SIGTERM, SIGHUP};

void OnEndSignal(int sig)
{
    for (auto& slot : g_apPending)
        if (const char* path = slot.load())
            ::unlink(path);
    int i = 0;
    while (i < 2 && kCleanSignals[i] != sig)
        ++i;
    // Then whatever was there before: by default the signal ends the process as it would have.
    const struct sigaction& previous = g_aPrevious[i];
    if ((previous.sa_flags & SA_SIGINFO) == 0 && previous.sa_handler == SIG_IGN)
        return;
    if ((previous.sa_flags & SA_SIGINFO) == 0 && previous.sa_handler != SIG_DFL) {
        previous.sa_handler(sig);
        return;
    }
    ::sigaction(sig, &previous, nullptr);
    ::raise(sig);
}

void InstallEndSignals()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int i = 0; i < 3; ++i) {
            struct sigaction action
            {
            };
            action.sa_handler = OnEndSignal;
            sigemptyset(&action.sa_mask);
            action.sa_flags = SA_RESTART;
            ::sigaction(kCleanSignals[i], &action, &g_aPrevious[i]);
        }
    });
}

// Keeps a new file's name where the signal handler finds it while the file is written.
class CPendingFile
{
public:
    explicit CPendingFile(const std::string& path) : m_strPath(path)
    {
        InstallEndSignals();
        for (auto& slot : g_apPending) {
            const char* empty = nullptr;
            if (slot.compare_exchange_strong(empty, m_strPath.c_str())) {
                m_pSlot = &slot;
                break;
            }
        }
    }
    ~CPendingFile()
    {
        if (m_pSlot)
            m_pSlot->store(nullptr);
    }
    CPendingFile(const CPendingFile&) = delete;
    CPendingFile& operator=(const CPendingFile&) = delete;

private:
    std::string m_strPath;
    std::atomic<const char*>* m_pSlot = nullptr;
};

// New files of earlier saves of target that were killed on the way: this user's, locked by no
// writer, and not touched for a while (a file just made is locked a moment after it exists).
void RemoveLeftovers(const std::string& target)
{
    const std::string prefix = "." + BaseOf(target).substr(0, 200) + ".vireo-";
    const std::string dir = DirOf(target);
    DIR* folder = ::opendir(dir.c_str());
    if (!folder)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 8 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = (dir == "/" ? "/" : dir + "/") + name;
        CFd f;
        f.fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        struct stat st;
        if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid() || now - st.st_mtime < 10)
            continue;
        if (::flock(f.fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
    }
    ::closedir(folder);
}

// The old file's extended attributes (its ACL among them) onto the new one; the names the
// file system refused are added to lost.
void CopyAttributes(const std::string& from, int to, std::vector<std::string>& lost)
{
    ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
    if (size <= 0)
        return;
    std::string names(size_t(size), '\0');
    size = ::listxattr(from.c_str(), names.data(), names.size());
    if (size <= 0)
        return;
    names.resize(size_t(size));
    for (size_t at = 0; at < names.size();) {
        const std::string name = names.c_str() + at;
        at += name.size() + 1;
        if (name.empty())
            continue;
        const ssize_t length = ::getxattr(from.c_str(), name.c_str(), nullptr, 0);
        std::string value(length > 0 ? size_t(length) : 0, '\0');
        const ssize_t got =
            length > 0 ? ::getxattr(from.c_str(), name.c_str(), value.data(), value.size()) : 0;
        if (got < 0 || ::fsetxattr(to, name.c_str(), value.data(), size_t(got), 0) != 0)
            lost.push_back(name == "system.posix_acl_access" ? "its ACL" : "the attribute " + name);
    }
}

void SyncFolder(const std::string& dir)
{
    // Makes the rename itself durable; a folder that cannot be synced is left as it is.
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool WriteFileSafely(const std::string& path, const CBytesMaker& bytes, std::string* errorText,
                     std::string* warningText)
{
    if (warningText)
        warningText->clear();
    std::string tmp;
    auto fail = [&](int err, const std::string& cause = std::string()) {
        if (errorText)
            *errorText = path + ": " + (cause.empty() ? Errno(err) : cause);
        if (!tmp.empty())
            ::unlink(tmp.c_str());
        return false;
    };
    std::string target;
    int err = 0;
    if (!FollowLinks(path, target, err))
        return fail(err);
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return fail(errno);
    if (exists) {
        if (S_ISDIR(old.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(old.st_mode))
            return fail(0, "not a regular file");
        // Even where the system would let this user write (root), a file nobody may write to
        // is a file its owner keeps as it is.
        if (::access(target.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0)
            return fail(EACCES, "the file is write-protected");
    }

    RemoveLeftovers(target);
    // An existing file's copy stays private until it has the old file's mode; a new file
    // takes the usual mode less the umask.
    CFd f;
    f.fd = CreateUnique(target, exists ? 0600 : 0666, tmp);
    if (f.fd < 0) {
        const int e = errno;
        tmp.clear();
        return fail(e);
    }
    const CPendingFile pending(tmp);
    // Tells a later save that this file is still being written.
    (void)::flock(f.fd, LOCK_EX | LOCK_NB);
    int writeError = 0;
    const bool made = bytes([&](std::string_view piece) {
        if (WriteAll(f.fd, piece))
            return true;
        writeError = errno;
        return false;
    });
    if (!made || writeError != 0)
        return fail(writeError, writeError ? std::string() : "the bytes could not be made");
    if (exists) {
        // Owner first: a change of owner may clear the set-id bits that the mode restores.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(f.fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(f.fd, uid_t(-1), old.st_gid);
        if (::fchmod(f.fd, old.st_mode & 07777) != 0)
            return fail(errno);
        std::vector<std::string> lost;
        CopyAttributes(target, f.fd, lost);
        if (!lost.empty() && warningText) {
            *warningText = path + ": saved, but the file system did not keep ";
            for (size_t i = 0; i < lost.size(); ++i)
                *warningText += (i == 0 ? "" : i + 1 == lost.size() ? " and " : ", ") + lost[i];
        }
    }
    if (::fsync(f.fd) != 0)
        return fail(errno);
    if (::close(f.Release()) != 0)
        return fail(errno);
    if (::rename(tmp.c_str(), target.c_str()) != 0)
        return fail(errno);
    tmp.clear();
    SyncFolder(DirOf(target));
    return true;
}

#endif // !_WIN32
