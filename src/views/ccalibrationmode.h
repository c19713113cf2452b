#pragma once

#include "crect.h"

#include <QLineEdit>
#include <QObject>
#include <QPointer>

#include <vector>

class CCPDial;
class CVireoView;
class QKeyEvent;
class QPainter;

// Calibrate: a dial's new calibration table made by clicking on its face in the panel view.
// Each click adds a point at the angle of the click around the needle's centre (the angle the
// needle painted there has), marked with a tick, and opens a small field beside it for the
// point's value: Enter takes the value. With no field open, Enter puts the table in place as
// one undo step; Backspace takes the last point off; Escape ends without a change.
class CCalibrationMode : public QObject
{
    Q_OBJECT

public:
    struct Point
    {
        float angle; // radians, as the file keeps them
        float value;
    };

    CCalibrationMode(CVireoView& view, CCPDial& dial);
    ~CCalibrationMode() override;

    CCPDial& GetDial() const { return m_dial; }
    const std::vector<Point>& Points() const { return m_aPoints; }
    // The value field of the last point, while it is open.
    QLineEdit* ValueField() const;

    // A click at pt (device): a new point, after taking the open field's value. False when the
    // open field holds no number (it keeps the focus).
    bool OnClick(CPoint pt);
    // Keys of the view while calibrating; true when used.
    bool OnKey(QKeyEvent* event);
    // The centre, the ticks and their values, over the panel (device coordinates).
    void Draw(QPainter& painter) const;
    // What the status bar says meanwhile.
    static QString Hint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Takes the open field's value into the last point and closes the field; false when the
    // field holds no number.
    bool TakeValue();
    void RemoveLast();
    void OpenField(CPoint pt);
    // The needle's centre and a tick's radius, in device coordinates.
    void Centre(double& x, double& y) const;
    double TickRadius() const;

    CVireoView& m_view;
    CCPDial& m_dial;
    std::vector<Point> m_aPoints;
    QPointer<QLineEdit> m_pField; // the viewport's child: it may go first
};
