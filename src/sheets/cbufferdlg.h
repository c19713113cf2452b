#pragma once

#include "cexchangedlg.h"

#include <string>

class CCPBuffer;
class QLineEdit;

// "Buffer": the image file of a BUFFER record and its size. "Browse..." puts the chosen
// picture's name into "File" as the cockpit stores it (relative to the cockpit's folder when it
// lies there) and its size into the size fields while they read 0. OK stores width, height
// and file name in the buffer; a file name that the cockpit file could not read back whole is
// refused, typed or browsed.
class CBufferDlg : public CExchangeDlg
{
    Q_OBJECT

public:
    CBufferDlg(CCPBuffer& buffer, QWidget* parent = nullptr);

    std::string m_strFile;
    int m_nHeight;
    int m_nWidth;

protected:
    bool Validate() override;
    void OnOK() override;

private:
    CCPBuffer& m_buffer;
    QLineEdit* m_pFile;
};
