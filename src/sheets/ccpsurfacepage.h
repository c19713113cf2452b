#pragma once

#include "ccppage.h"

class CCPSurface;

// "Surface Properties" of a SURFACE record: shows its file and source rectangle. They are
// edited through the panel's surface entry that uses the surface, so nothing is stored here.
class CCPSurfacePage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPSurfacePage(CCPSurface* record, QWidget* parent = nullptr);

    std::string m_strFile;
    std::string m_strSrc;
};
