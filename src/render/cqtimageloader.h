#pragma once

#include "filepaths.h"
#include "iimageloader.h"

#include <cstdint>
#include <mutex>
#include <set>
#include <string>

class QImage;

// Reads pictures with Qt's image readers (PNG, GIF, BMP, JPEG, ...). The file's bytes are read
// first, from regular files only, and decoded from memory: a FIFO or a device never blocks a
// load, and a file name is passed to the system as the bytes it is. The readers' own warnings
// are left out: a picture that cannot be read is reported by the caller.
class CQtImageLoader : public IImageLoader
{
public:
    // Larger picture files are not read.
    static constexpr uint64_t kMaxFileBytes = uint64_t(256) << 20;

    // What the size and the format are told by: the start of the file only.
    static constexpr uint64_t kHeadBytes = uint64_t(1) << 20;

    bool Load(const std::string& path, CBitmap& out) override;
    bool PeekSize(const std::string& path, int& width, int& height) override;
    // How many times a picture file was opened so far.
    int OpenCount() const;

private:
    // False when the file is known not to be a picture as it is now, or its start shows it is
    // none; the size its header gives, when it gives one.
    bool MayBePicture(const std::string& path, CFileKey& key, int* width, int* height);
    void RememberFailure(const CFileKey& key);
    void Opened();

    mutable std::mutex m_mutex;
    std::set<CFileKey> m_setFailed;
    int m_nOpened = 0;
};

// A Qt image as the model's bitmap.
CBitmap BitmapFromImage(const QImage& image);
