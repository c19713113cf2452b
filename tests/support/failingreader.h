#pragma once

#include "filepaths.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>

// Reads as the disk would until `good` bytes are through, then fails as a failing disk does.
class CFailingReader : public CFileReader
{
public:
    explicit CFailingReader(size_t good) : m_nLeft(good) {}

protected:
    long ReadSome(int fd, char* buffer, size_t size) override
    {
        if (m_nLeft == 0) {
            errno = EIO;
            return -1;
        }
        const long n = CFileReader::ReadSome(fd, buffer, std::min(size, m_nLeft));
        if (n > 0)
            m_nLeft -= size_t(n);
        return n;
    }

private:
    size_t m_nLeft;
};
