#pragma once

#include "cexchangedlg.h"

#include <string>

class CCPBuffer;
class QLineEdit;

// "Buffer": the image file of a BUFFER record and its size. "Browse..." puts the full path of
// a chosen file into "File". OK stores width, height and file name in the buffer; a file name
// that the cockpit file could not read back whole is refused, typed or browsed.
class CBufferDlg : public CExchangeDlg
{
    Q_OBJECT

public:
    CBufferDlg(CCPBuffer& buffer, QWidget* parent = nullptr);

    std::string m_strFile;
    int m_nHeight;
    int m_nWidth;

    void OnBrowse();

protected:
    bool Validate() override;
    void OnOK() override;

private:
    CCPBuffer& m_buffer;
    QLineEdit* m_pFile;
};
