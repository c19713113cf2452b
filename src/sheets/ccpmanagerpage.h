#pragma once

#include "ccppage.h"

#include <string>

class CCPManager;

// "Manager Properties": template file (typed or browsed) and size, mouse border, geometry
// switch, and the four screen areas (edited in "Area" directly on the manager).
class CCPManagerPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPManagerPage(CCPManager* record, QWidget* parent = nullptr);

    std::string m_strTemplateFile;
    int m_nTemplateWidth;
    int m_nTemplateHeight;
    int m_nMouseBorder;
    int m_bDoGeometry;

    void OnOK() override;

protected:
    // The template name must read back whole from the file.
    bool Validate() override;

private:
    CCPManager* m_pRecord;
    QLineEdit* m_pTemplate;
};
