#pragma once

#include "filepaths.h"
#include "iimageloader.h"

#include <cstdint>
#include <ostream>
#include <set>
#include <string>

class IQtPartSource;

// The pictures of format and check. PNG and GIF pictures that are plainly whole are read
// here, without Qt; anything else (another format, a damaged or unusual file) goes to Qt's
// readers, loaded then, so that what counts as readable is what the editor can read. Without
// Qt (a build that has none, or its part missing) such a file counts as read when it can be
// read at all: only a missing or unreadable one is reported.
class CCliPictureLoader : public IImageLoader
{
public:
    // qt may be null (a build without Qt); err takes the one note that Qt could not be had.
    CCliPictureLoader(IQtPartSource* qt, std::ostream& err) : m_pQt(qt), m_err(err) {}

    bool Load(const std::string& path, CBitmap& out) override;
    bool PeekSize(const std::string& path, int& width, int& height) override;

private:
    // Qt's reader, when there is one; says once why not when it cannot be had.
    IImageLoader* Qt();
    IQtPartSource* m_pQt;
    std::ostream& m_err;
    bool m_bToldNoQt = false;
    // Pictures read here that failed: not read again until they change.
    std::set<CFileKey> m_setFailed;
};
