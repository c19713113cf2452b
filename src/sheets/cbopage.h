#pragma once

#include "ccppage.h"

#include <string>

class CCPObject;
class QLineEdit;
class QPlainTextEdit;

// "Basic Properties": the record's id, its name and its comment (the lines written before its
// header). The name is the comment's "// Name: " line: the Name field edits that line, and the
// comment shows it, so the two always agree.
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
    void OnNameEdited();
    void OnCommentEdited();

    QLineEdit* m_pName;
    QPlainTextEdit* m_pComment;
    // The comment as the user last left it: name edits rework this, so a name cleared and
    // typed again comes back on the line it had.
    QString m_strBase;
    bool m_bSyncing = false;
    bool m_bNameTyped = false; // the last change came through the Name field
};
