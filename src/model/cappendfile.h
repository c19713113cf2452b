#pragma once

#include <string>
#include <string_view>

// A file written at its end, each write straight to the system (a killed process loses nothing
// written), synced to the disk on demand. Only its owner may read it where the system has
// modes; on Windows others may read or remove it while it is open, as elsewhere.
class CAppendFile
{
public:
    CAppendFile() = default;
    ~CAppendFile();
    CAppendFile(const CAppendFile&) = delete;
    CAppendFile& operator=(const CAppendFile&) = delete;

    // Creates the file at path anew (an old one is emptied); false when it cannot be made.
    bool Create(const std::string& path);
    bool IsOpen() const;
    bool Write(std::string_view data);
    bool Sync();
    void Close();

    // A whole file written this way and synced; false, with nothing left at path, when any
    // of it fails.
    static bool WriteSynced(const std::string& path, std::string_view data);
    // Removes the file at path; false when there was none or it cannot be removed.
    static bool Remove(const std::string& path);

private:
#ifdef _WIN32
    void* m_hFile = nullptr; // the HANDLE
#else
    int m_fd = -1;
#endif
};
