#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The full path of a file named inside a cockpit. Relative names resolve against folder;
// "\" separators are read as "/", and when the name does not exist as written, each part of
// it is matched against the folder's entries without regard to case.
std::string ResolveCockpitPath(const std::string& folder, const std::string& name);

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

protected:
    // One read of the open file: the bytes read, 0 at its end, -1 with errno set on failure.
    virtual long ReadSome(int fd, char* buffer, size_t size);
};

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
bool WriteFileSafely(const std::string& path, const std::string& data,
                     std::string* errorText = nullptr, std::string* warningText = nullptr);
