#pragma once

#include "idocobserver.h"

#include <QDockWidget>

#include <vector>

class CCPPanel;
class CPlaySession;
class CVireoDoc;
class QDoubleSpinBox;
class QLabel;
class QSlider;
class QVBoxLayout;

// View > Inputs: while the cockpit is played, one row per callback slot that an instrument of
// the shown panel takes, naming the records that use it, with a slider and a number over the
// slot's range. Moving either feeds the slot and the instruments redraw; nothing is stored.
class CInputsDock : public QDockWidget, public IDocObserver
{
public:
    explicit CInputsDock(CVireoDoc* doc, QWidget* parent = nullptr);
    ~CInputsDock() override;

    // The session the rows feed; null when not playing (the dock then says how to start).
    void SetSession(CPlaySession* session);

    int RowCount() const { return int(m_rows.size()); }
    QLabel* RowLabel(int row) const { return m_rows[size_t(row)].label; }
    QSlider* Slider(int row) const { return m_rows[size_t(row)].slider; }
    QDoubleSpinBox* Field(int row) const { return m_rows[size_t(row)].field; }

    void OnUpdate(IDocObserver* sender, Hint hint, CCPObject* record) override;

private:
    struct Row
    {
        QLabel* label = nullptr;
        QSlider* slider = nullptr;
        QDoubleSpinBox* field = nullptr;
    };
    // The rows for the panel shown now.
    void Rebuild();

    CVireoDoc* m_pDoc;
    CPlaySession* m_pSession = nullptr;
    const CCPPanel* m_pBuiltFor = nullptr;
    QWidget* m_pBody = nullptr;
    QVBoxLayout* m_pLayout = nullptr;
    std::vector<Row> m_rows;
};
