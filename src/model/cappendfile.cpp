#include "cappendfile.h"

#include "filepaths.h"

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

CAppendFile::~CAppendFile()
{
    Close();
}

bool CAppendFile::WriteSynced(const std::string& path, std::string_view data)
{
    CAppendFile f;
    const bool ok = f.Create(path) && f.Write(data) && f.Sync();
    f.Close();
    if (!ok)
        Remove(path);
    return ok;
}

#ifdef _WIN32

bool CAppendFile::Create(const std::string& path)
{
    Close();
    const HANDLE h =
        CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_hFile = h == INVALID_HANDLE_VALUE ? nullptr : h;
    return m_hFile != nullptr;
}

bool CAppendFile::IsOpen() const
{
    return m_hFile != nullptr;
}

bool CAppendFile::Write(std::string_view data)
{
    if (!m_hFile)
        return false;
    // The only writer, writing in turn: each write lands at the end.
    while (!data.empty()) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<size_t>(data.size(), size_t(1) << 30));
        if (!WriteFile(m_hFile, data.data(), chunk, &written, nullptr) || written == 0)
            return false;
        data.remove_prefix(written);
    }
    return true;
}

bool CAppendFile::Sync()
{
    return m_hFile && FlushFileBuffers(m_hFile);
}

void CAppendFile::Close()
{
    if (m_hFile)
        CloseHandle(m_hFile);
    m_hFile = nullptr;
}

bool CAppendFile::Remove(const std::string& path)
{
    return DeleteFileW(SystemPath(path).c_str()) != 0;
}

#else

bool CAppendFile::Create(const std::string& path)
{
    Close();
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    return m_fd >= 0;
}

bool CAppendFile::IsOpen() const
{
    return m_fd >= 0;
}

bool CAppendFile::Write(std::string_view data)
{
    if (m_fd < 0)
        return false;
    while (!data.empty()) {
        const ssize_t n = ::write(m_fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool CAppendFile::Sync()
{
    return m_fd >= 0 && ::fsync(m_fd) == 0;
}

void CAppendFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool CAppendFile::Remove(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

#endif
