#pragma once

#include "cdataexchange.h"
#include "crect.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QFormLayout;
class QGroupBox;
class QPushButton;

// A page of a record's property sheet. It copies the record's fields into its members when it
// is built, shows them in its controls, and stores the members back into the record in OnOK,
// which the sheet runs on OK for every page the user has seen. The sub-dialogs it opens on the
// record's geometry write into the record at once.
class CCPPage : public QWidget
{
    Q_OBJECT

public:
    explicit CCPPage(const QString& title, QWidget* parent = nullptr);

    QString GetTitle() const { return m_strTitle; }

    // save: the controls into the members, false (after a message) when an entry is bad;
    // otherwise the members into the controls.
    bool UpdateData(bool save = true);

    // Stores the members into the record.
    virtual void OnOK() {}

protected:
    // Checks that need more than one field or a clear message of their own; runs after the
    // controls have been exchanged into the members.
    virtual bool Validate() { return true; }

    QPushButton* MakeButton(const QString& label, std::function<void()> onClick);
    // Buttons in a titled box, columns per row.
    static QGroupBox* ButtonBox(const QString& title, std::initializer_list<QPushButton*> buttons,
                                int columns = 2);
    // A form whose fields keep their natural width.
    static QFormLayout* MakeForm();
    // The "CallBack Slot" and "Cycle Bits" rows that most instrument pages start with.
    void AddSlotAndBitsRows(QFormLayout* form, int& callbackSlot, std::string& cycleBits);
    // A row labelled name: the colour as hexadecimal text with a swatch that opens the chooser
    // (the swatch is named name, the edit name + " Value").
    void AddColourRow(QFormLayout* form, std::string& text, const QString& name);

    // Bit masks and colours are edited as hexadecimal text.
    static std::string HexText(uint32_t value, bool padTo8 = false);
    // "%x": a text that does not scan leaves value as it was.
    static void ReadHex(const std::string& text, uint32_t& value);

    // "Area", "Rect List" and "Point" directly on the record's own geometry. A list of pieces
    // of the template (onTemplate) slices from the strip drawn there, if any.
    bool EditArea(CRect& rc);
    void EditRectList(std::vector<CRect>& list, bool onTemplate = false);
    bool EditPoint(CPoint& pt);

    CDataExchange m_dx{this};

private:
    QString m_strTitle;
};
