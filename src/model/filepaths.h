#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <tuple>

// Names are UTF-8 in the program. The system's form of one: on Windows UTF-16, with bytes that
// are not UTF-8 read as Latin-1 (as the editor shows them); elsewhere the bytes as they are.
std::filesystem::path SystemPath(const std::string& name);
// A path of the system's as the program's text, with "/" separators: UTF-8 on Windows, the
// bytes elsewhere.
std::string PathText(const std::filesystem::path& path);

// The full path of a file named inside a cockpit, with "/" separators. Relative names resolve
// against folder; "\" separators are read as "/" (a drive letter or a "\\server\share" name
// is absolute where the system has them), and when the name does not exist as written, each
// part of it is matched against the folder's entries without regard to case.
std::string ResolveCockpitPath(const std::string& folder, const std::string& name);

// The name a cockpit in folder gives the file at path: relative to folder, with "/" separators,
// when the file lies in folder or below it (true); path itself otherwise (false), also when
// folder is empty (a cockpit not saved yet has none).
bool NameInFolder(const std::string& folder, const std::string& path, std::string& name);

// The folder part of a path, with its trailing separator ("" when there is none).
std::string FolderOf(const std::string& path);
// The file name part of a path.
std::string FileNameOf(const std::string& path);
// The largest cockpit a load reads; a 400,000-record cockpit is about 83 MB.
inline constexpr uint64_t kMaxCockpitBytes = uint64_t(1) << 30;

// "1 GiB", "256 MiB" or a count of bytes.
std::string ByteSizeText(uint64_t bytes);

// Reads files for a load. Only regular files are read: a FIFO or a device is refused without
// waiting on it. A file above the limit is refused, and a read error fails the read: the part
// read before it is never taken for the whole file. Tests derive from it to make reads fail.
class CFileReader
{
public:
    virtual ~CFileReader() = default;

    // The whole file; false, with error set to the cause, when it cannot be read whole.
    bool ReadFile(const std::string& path, std::string& data, uint64_t maxBytes,
                  std::string& error);
    // The first bytes of the file at most (enough to tell a format); false when none can be
    // read.
    bool ReadStart(const std::string& path, std::string& data, uint64_t bytes, std::string& error);

protected:
    // One read of the open file: the bytes read, 0 at its end, -1 with errno set on failure.
    virtual long ReadSome(int fd, char* buffer, size_t size);

private:
    bool Read(const std::string& path, std::string& data, uint64_t maxBytes, bool cut,
              std::string& error);
    // The file opened for reading when it is a regular file (its size in size); -1 with error
    // set otherwise.
    static int OpenRegular(const std::string& path, uint64_t& size, std::string& error);
    static void CloseFile(int fd);
};

// What a file is now: where it lives on its volume, its size and times (nanoseconds). The same
// stamp again means the same file with the same bytes, whatever name it is reached by.
struct CFileStamp
{
    bool exists = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t mtime = 0;
    int64_t ctime = 0; // the last change of the file or of its attributes
    auto operator<=>(const CFileStamp&) const = default;
};
// No system takes a longer file name (Windows' long paths stop at 32,767 characters, each
// at most 3 bytes in UTF-8): a longer one names no file, and is neither looked for nor copied
// more than it must be.
constexpr size_t kLongestFileName = size_t(32767) * 3;
inline bool NamesNoFile(std::string_view name)
{
    return name.size() > kLongestFileName;
}

// What tells file names apart, no letter case aside, without a copy of megabytes: the name
// itself, or for a name that names no file its size and a digest (after a line end, which no
// name read from a cockpit holds).
std::string NameKey(const std::string& name);

// The stamp of the file at path; exists is false when there is none.
CFileStamp StampOf(const std::string& path);
// A file's bytes as they are now: the same key again means the same bytes, whatever the name
// (a hard link shares it). A rewrite changes the time, the size or the inode; not the change
// time, which a new link to the file changes too.
using CFileKey = std::tuple<uint64_t, uint64_t, uint64_t, int64_t>;
inline CFileKey FileKeyOf(const CFileStamp& stamp)
{
    return {stamp.device, stamp.inode, stamp.size, stamp.mtime};
}

// Reads a whole regular file of at most kMaxCockpitBytes; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& data);

// Replaces the file at path by data so that a failure at any point leaves the old file whole.
// A link is followed and kept (its target is replaced), but as the system follows links: not
// one that another user planted in a sticky world-writable folder (such as /tmp) unless it
// belongs to that folder's owner. The old file's mode, owner, group, extended attributes and
// ACL stay where the system allows; what the file system refused to keep is named in
// warningText, and the save still counts. A target that exists and is not a regular file, or
// that has no write permission, is refused. The data goes to a new file beside the target,
// created exclusively under a unique name, locked while it is written and synced before it
// takes the target's place; the folder is synced after. SIGINT, SIGTERM and SIGHUP during the
// write remove the new file; the new files of earlier saves of the same target that were
// killed on the way are removed. False, with errorText set to "<path>: <cause>", on any
// failure; the new file is then removed.
// On Windows the same promises are kept with what the system offers there: the new file is
// created exclusively, flushed and put in the old one's place by ReplaceFileW (which keeps its
// attributes and ACL) or MoveFileExW; a read-only target is refused; Ctrl+C, closing the
// console and logging off remove the new file.
bool WriteFileSafely(const std::string& path, const std::string& data,
                     std::string* errorText = nullptr, std::string* warningText = nullptr);

// Hands the bytes of a file to put a piece at a time; false when put refused a piece (or the
// bytes could not be made).
using CBytesMaker = std::function<bool(const std::function<bool(std::string_view)>& put)>;
// WriteFileSafely with the bytes made while they are written: a large file is never held whole.
// When bytes answers false the save fails as a failed write does.
bool WriteFileSafely(const std::string& path, const CBytesMaker& bytes,
                     std::string* errorText = nullptr, std::string* warningText = nullptr);
