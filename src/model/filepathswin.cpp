// The file layer on Windows: names go to the system in UTF-16, files are read in binary mode,
// and a save replaces the old file only once the new one is whole on the disk.
#ifdef _WIN32

#include "filepaths.h"

#include "strformat.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <random>
#include <utility>

#include <windows.h>

#include <fcntl.h>
#include <io.h>

namespace fs = std::filesystem;

namespace {

// The length of the UTF-8 sequence at text[i] and its code point; 0 when no valid one starts
// there.
size_t Utf8Sequence(const std::string& text, size_t i, char32_t& code)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xc2 && lead <= 0xdf)
        length = 2, code = lead & 0x1f;
    else if (lead >= 0xe0 && lead <= 0xef)
        length = 3, code = lead & 0x0f;
    else if (lead >= 0xf0 && lead <= 0xf4)
        length = 4, code = lead & 0x07;
    else
        return 0;
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3f);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
        return 0;
    return length;
}

// UTF-8 to UTF-16. A byte that is no part of valid UTF-8 is a Latin-1 character: a name typed
// into a cockpit on a Latin-1 system, maybe joined to a folder the system gave in UTF-8.
std::wstring Wide(const std::string& text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const size_t length = Utf8Sequence(text, i, code);
        if (length == 0) {
            wide += wchar_t(static_cast<unsigned char>(text[i]));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            wide += wchar_t(0xd800 + (code >> 10));
            wide += wchar_t(0xdc00 + (code & 0x3ff));
        } else {
            wide += wchar_t(code);
        }
        i += length;
    }
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string text(size_t(std::max(n, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), n, nullptr,
                        nullptr);
    return text;
}

// The system's own words for an error.
std::string SystemText(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n > 0 && buffer ? std::wstring(buffer, n) : std::wstring();
    if (buffer)
        LocalFree(buffer);
    // Without the line end and the full stop, as the C library words its errors.
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    return text.empty() ? StrFormat("system error %lu", static_cast<unsigned long>(code))
                        : Utf8(text);
}

// Closes a handle on every way out.
struct CHandle
{
    HANDLE h = INVALID_HANDLE_VALUE;
    ~CHandle()
    {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
    bool Valid() const { return h != INVALID_HANDLE_VALUE; }
    HANDLE Release() { return std::exchange(h, INVALID_HANDLE_VALUE); }
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

uint64_t Join(DWORD high, DWORD low)
{
    return (uint64_t(high) << 32) | low;
}

// Nanoseconds since 1970 of a file time (100 ns steps since 1601).
int64_t Nanoseconds(int64_t fileTime)
{
    constexpr int64_t k1601To1970 = 116444736000000000LL;
    return (fileTime - k1601To1970) * 100;
}

} // namespace

fs::path SystemPath(const std::string& name)
{
    return fs::path(Wide(name));
}

std::string PathText(const fs::path& path)
{
    return Utf8(path.generic_wstring());
}

long CFileReader::ReadSome(int fd, char* buffer, size_t size)
{
    return long(_read(fd, buffer, unsigned(std::min<size_t>(size, size_t(1) << 30))));
}

void CFileReader::CloseFile(int fd)
{
    _close(fd);
}

int CFileReader::OpenRegular(const std::string& path, uint64_t& size, std::string& error)
{
    CHandle f;
    // Backup semantics: a folder opens too, and is refused below for what it is.
    f.h = CreateFileW(Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (!f.Valid()) {
        error = SystemText(GetLastError());
        return -1;
    }
    // A device (CON, NUL, a serial port) or a pipe is no file to read whole.
    if (GetFileType(f.h) != FILE_TYPE_DISK) {
        error = "not a regular file";
        return -1;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(f.h, &info)) {
        error = SystemText(GetLastError());
        return -1;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = std::strerror(EISDIR);
        return -1;
    }
    size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    // Binary: the bytes as they are on the disk, no CR LF read as LF.
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(f.h), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    f.Release(); // the descriptor owns it now
    return fd;
}

CFileStamp StampOf(const std::string& path)
{
    CFileStamp s;
    CHandle f;
    f.h = CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info;
    if (!f.Valid() || !GetFileInformationByHandle(f.h, &info))
        return s;
    s.exists = true;
    s.device = info.dwVolumeSerialNumber;
    s.inode = Join(info.nFileIndexHigh, info.nFileIndexLow);
    s.size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    s.mtime = Nanoseconds(
        int64_t(Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)));
    FILE_BASIC_INFO basic;
    s.ctime = GetFileInformationByHandleEx(f.h, FileBasicInfo, &basic, sizeof basic)
                  ? Nanoseconds(basic.ChangeTime.QuadPart)
                  : s.mtime;
    return s;
}

namespace {

// The folder part of a path with its separator ("" for a bare name, "C:" for "C:name").
std::wstring FolderPrefix(const std::wstring& path)
{
    const size_t p = path.find_last_of(L"/\\");
    if (p != std::wstring::npos)
        return path.substr(0, p + 1);
    return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : std::wstring();
}

std::wstring LeftoverPrefix(const std::wstring& target)
{
    const std::wstring folder = FolderPrefix(target);
    // Room for the suffix within the usual 255-character name limit.
    return folder + L"." + target.substr(folder.size(), 200) + L".vireo-";
}

// The new files being written now, removed when the console ends the process on the way.
constexpr int kPendingSlots = 64;
std::atomic<const wchar_t*> g_apPending[kPendingSlots];

// Ctrl+C, Ctrl+Break, a closed console, a logoff or a shutdown: what SIGINT, SIGTERM and SIGHUP
// are elsewhere. It runs on a thread of its own; the process then ends as it would have.
BOOL WINAPI OnConsoleEnd(DWORD)
{
    for (auto& slot : g_apPending)
        if (const wchar_t* path = slot.load())
            DeleteFileW(path);
    return FALSE;
}

class CPendingFile
{
public:
    explicit CPendingFile(const std::wstring& path) : m_strPath(path)
    {
        static std::once_flag once;
        std::call_once(once, [] { SetConsoleCtrlHandler(OnConsoleEnd, TRUE); });
        for (auto& slot : g_apPending) {
            const wchar_t* empty = nullptr;
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
    std::wstring m_strPath;
    std::atomic<const wchar_t*>* m_pSlot = nullptr;
};

// New files of earlier saves of target that were ended on the way (a killed process leaves
// them): those not touched for a while that nobody has open. A writer keeps its file open
// until it takes the target's place, so the exclusive open below fails for a live one.
void RemoveLeftovers(const std::wstring& target)
{
    const std::wstring prefix = LeftoverPrefix(target);
    const std::wstring folder = FolderPrefix(target);
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((prefix + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const int64_t nowTime = int64_t(Join(now.dwHighDateTime, now.dwLowDateTime));
    const size_t nameLength = prefix.size() - folder.size() + 8;
    do {
        const std::wstring name = entry.cFileName;
        const int64_t written = int64_t(
            Join(entry.ftLastWriteTime.dwHighDateTime, entry.ftLastWriteTime.dwLowDateTime));
        if (name.size() != nameLength || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            nowTime - written < 10LL * 10000000LL)
            continue;
        const HANDLE f =
            CreateFileW((folder + name).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                        FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (f != INVALID_HANDLE_VALUE)
            CloseHandle(f);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

// A new file beside target, created exclusively: nothing that already exists under the chosen
// name (a planted link among them) is opened or replaced.
HANDLE CreateUnique(const std::wstring& target, std::wstring& tmp)
{
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    std::mt19937_64 rng((uint64_t(seed()) << 32) ^ uint64_t(GetCurrentProcessId()) ^
                        counter.fetch_add(1));
    static const wchar_t kDigits[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    const std::wstring prefix = LeftoverPrefix(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring suffix;
        for (int i = 0; i < 8; ++i)
            suffix += kDigits[rng() % (std::size(kDigits) - 1)];
        tmp = prefix + suffix;
        // Shared for deletion only: the console handler may remove it while it is written.
        const HANDLE f = CreateFileW(tmp.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return f;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE f, std::string_view data)
{
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<size_t>(left, size_t(1) << 30));
        if (!WriteFile(f, p, chunk, &written, nullptr))
            return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        p += written;
        left -= written;
    }
    return true;
}

// The file a link (a symbolic link or a junction on the way) stands for; path itself when it
// cannot be told.
std::wstring FinalPath(const std::wstring& path)
{
    CHandle f;
    f.h = CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (!f.Valid())
        return path;
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetFinalPathNameByHandleW(f.h, final.data(), DWORD(final.size()), 0);
        if (n == 0)
            return path;
        if (n < final.size()) {
            final.resize(n);
            return final;
        }
        final.resize(n + 1);
    }
}

} // namespace

bool WriteFileSafely(const std::string& path, const CBytesMaker& bytes, std::string* errorText,
                     std::string* warningText)
{
    if (warningText)
        warningText->clear();
    std::wstring tmp;
    auto fail = [&](const std::string& cause) {
        if (errorText)
            *errorText = path + ": " + cause;
        if (!tmp.empty())
            DeleteFileW(tmp.c_str());
        return false;
    };
    std::wstring target = Wide(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND)
        return fail(SystemText(GetLastError())); // a missing folder among them
    if (exists) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return fail(std::strerror(EISDIR));
        // A file marked read-only is a file its owner keeps as it is.
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return fail("the file is read-only: " + SystemText(ERROR_ACCESS_DENIED));
        // A link stays a link: the file it stands for gets the new bytes.
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            target = FinalPath(target);
        // Opened for writing without writing: what the system would refuse (no permission, a
        // file another program holds) is refused before anything is made, and only a file on a
        // disk is replaced, not a device or a pipe.
        CHandle probe;
        probe.h = CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0,
                              nullptr);
        if (!probe.Valid())
            return fail(SystemText(GetLastError()));
        if (GetFileType(probe.h) != FILE_TYPE_DISK)
            return fail("not a regular file");
    }

    RemoveLeftovers(target);
    CHandle f;
    f.h = CreateUnique(target, tmp);
    if (!f.Valid()) {
        const DWORD e = GetLastError();
        tmp.clear();
        return fail(SystemText(e));
    }
    const CPendingFile pending(tmp);
    DWORD writeError = 0;
    const bool made = bytes([&](std::string_view piece) {
        if (WriteAll(f.h, piece))
            return true;
        writeError = GetLastError();
        return false;
    });
    if (writeError != 0)
        return fail(SystemText(writeError));
    if (!made)
        return fail("the bytes could not be made");
    if (!FlushFileBuffers(f.h))
        return fail(SystemText(GetLastError()));
    if (!CloseHandle(f.Release()))
        return fail(SystemText(GetLastError()));
    // Write-through: the new name is on the disk when the call returns (there is no folder to
    // sync on Windows).
    constexpr DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!exists) {
        if (!MoveFileExW(tmp.c_str(), target.c_str(), kMove))
            return fail(SystemText(GetLastError()));
        return true;
    }
    // ReplaceFileW gives the new file the old one's attributes, ACL and creation time.
    if (ReplaceFileW(target.c_str(), tmp.c_str(), nullptr, 0, nullptr, nullptr))
        return true;
    const DWORD e = GetLastError();
    if (e == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        // The old file is gone and the new one still has its own name: it takes the target's.
        if (MoveFileExW(tmp.c_str(), target.c_str(), kMove))
            return true;
        const std::string kept = PathText(fs::path(tmp));
        tmp.clear(); // the only copy of the bytes now
        return fail(SystemText(GetLastError()) + "; the new contents are in " + kept);
    }
    if (e == ERROR_INVALID_FUNCTION || e == ERROR_NOT_SUPPORTED || e == ERROR_INVALID_PARAMETER ||
        e == ERROR_CALL_NOT_IMPLEMENTED) {
        // A file system without ReplaceFile: a plain replace still leaves the old file whole
        // when it fails, but does not carry its attributes over.
        if (!MoveFileExW(tmp.c_str(), target.c_str(), kMove))
            return fail(SystemText(GetLastError()));
        if (warningText)
            *warningText = path + ": saved, but the file system did not keep its attributes "
                                  "and permissions";
        return true;
    }
    return fail(SystemText(e));
}

#endif // _WIN32
