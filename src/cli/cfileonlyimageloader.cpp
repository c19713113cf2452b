#include "cfileonlyimageloader.h"

#include "cbitmap.h"
#include "filepaths.h"

bool CFileOnlyImageLoader::Load(const std::string& path, CBitmap& out)
{
    CFileReader reader;
    std::string start, error;
    if (!reader.ReadStart(path, start, 1, error))
        return false;
    out = CBitmap(1, 1);
    return true;
}
