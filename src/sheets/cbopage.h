#pragma once

#include "ccppage.h"

#include <string>

class CCPObject;
class QPlainTextEdit;

// "Basic Properties": the record's id and its comment (the lines written before its header,
// the "// Name: " line among them).
class CBOPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CBOPage(QWidget* parent = nullptr);

    std::string m_strText;
    int m_nRecordId = 0;
    CCPObject* m_pRecord = nullptr;

    void SetRecord(CCPObject* record);

    // The id is stored without any check (Check Cockpit reports duplicates); a comment that does
    // not end with a line break gets CR LF, so the header written after it starts its own line.
    void OnOK() override;

protected:
    // Refuses a comment line beginning with "#": it would be read back as a record header.
    bool Validate() override;

private:
    QPlainTextEdit* m_pComment;
};
