#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A colour field: the colour as hexadecimal 0xAARRGGBB text, as the record stores it, with a
// swatch in front that shows the colour. The swatch follows the text as it is typed (a text
// that is no number shows an empty, crossed-out swatch) and asks for the chooser when clicked.
class CColourField : public QWidget
{
    Q_OBJECT

public:
    // Takes edit into the field; the swatch is named name.
    CColourField(QLineEdit* edit, const QString& name, QWidget* parent = nullptr);

signals:
    void chooseClicked();

private:
    void ShowColour();

    QLineEdit* m_pEdit;
    QToolButton* m_pSwatch;
    QString m_strName;
};
