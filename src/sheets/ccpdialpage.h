#pragma once

#include "ccppage.h"

#include <array>
#include <memory>
#include <string>

class CCPDial;
class CCPObject;
class CNumberTable;
class IRecordEditor;
class QLabel;
class QPushButton;
class QSlider;
class QTableWidget;

// "Dial Properties": callback slot, cycle bits, persistence, the needle's radii and colours,
// and the calibration table ("Point" and "Value", edited in place; "Add Point" and "Remove
// Point"), stored on OK; "Source" and "Dest" edit the rectangles directly. The "Preview value"
// slider sweeps the needle on the panel view through the table as the page has it, for as long
// as the sheet is open.
class CCPDialPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPDialPage(CCPDial* record, QWidget* parent = nullptr);
    ~CCPDialPage() override;

    int m_nCallbackSlot;
    std::string m_strCycleBits;
    int m_nPersistent;
    std::array<int, 3> m_anRadius;
    std::array<std::string, 3> m_astrColors;

    QTableWidget* GetTable() const;
    // Shows "Calibrate", which closes the sheet as OK does and asks for calibrateRequested's
    // clicks on the panel (where the editor can start them).
    void OfferCalibration();

    void OnAddPoint();
    void OnRemovePoint();
    void OnOK() override;

signals:
    void calibrateRequested();

private:
    // The dial as the page has it now: its table, and the radii and colours whose texts read.
    CCPDial& Shown();
    // Where the preview goes: the record's editor, which is the document in the editor.
    IRecordEditor* PreviewTarget() const;
    // Slider range and position, readout, and the needle on the panel once the slider moved.
    void UpdatePreview();
    void OnSliderMoved(int position);

    CCPDial* m_pRecord;
    std::unique_ptr<CCPObject> m_pShown;
    CNumberTable* m_pTable;
    QSlider* m_pSlider;
    QLabel* m_pReadout;
    QPushButton* m_pCalibrate;
    float m_fPreviewValue = 0.0f;
    float m_fLow = 0.0f;
    float m_fHigh = 0.0f;
    bool m_bPreviewing = false;
};
