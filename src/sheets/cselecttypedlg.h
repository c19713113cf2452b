#pragma once

#include "cexchangedlg.h"

class QComboBox;

// "Select Object Type": the types of the type table that go on a panel, sorted by name, each
// with its type code; nothing is chosen at first. OK with a choice sets m_nType to its code.
class CSelectTypeDlg : public CExchangeDlg
{
    Q_OBJECT

public:
    explicit CSelectTypeDlg(QWidget* parent = nullptr);

    int m_nType = -1;

    QComboBox* GetList() const { return m_pList; }

protected:
    // Buffer is listed but makes no record: say so, and let the user choose again.
    bool Validate() override;
    void OnOK() override;

private:
    QComboBox* m_pList;
};
