#pragma once

#include "ccppage.h"

#include <QSize>

#include <string>

class CCPSurfaceRef;
class QCheckBox;
class QLineEdit;

// "Surface Properties" of a panel's surface entry: the SURFACE record it names, its flags and
// the surface's file name (typed or browsed; another name cuts the surface from that picture).
// Building the page makes sure the named SURFACE record exists (an entry without a number
// takes its own id). "Dest" and "Src" edit the entry's destination and the surface's source
// rectangle directly. A picture browsed for a new surface (one without a file) makes it the
// whole picture, shown over the whole screen, opaque.
class CCPSurfacer : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPSurfacer(CCPSurfaceRef* record, QWidget* parent = nullptr);

    int m_nSurfaceId;
    int m_bPersistent;
    int m_bTransparent;
    std::string m_strFile;

    void OnOK() override;

protected:
    // The file name must read back whole from the file.
    bool Validate() override;

private:
    void FillFromPicture(QSize size);

    CCPSurfaceRef* m_pRecord;
    QLineEdit* m_pFile;
    QCheckBox* m_pTransparent;
    bool m_bNewSurface = false;
};
