#include "ccolourfield.h"

#include "cscanner.h"
#include "textconvert.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include <cstdint>

namespace {
const QSize kSwatchSize(36, 16);
} // namespace

CColourField::CColourField(QLineEdit* edit, const QString& name, QWidget* parent)
    : QWidget(parent), m_pEdit(edit), m_pSwatch(new QToolButton), m_strName(name)
{
    m_pSwatch->setObjectName(name);
    m_pSwatch->setIconSize(kSwatchSize);
    m_pSwatch->setFocusPolicy(Qt::StrongFocus);
    connect(m_pSwatch, &QToolButton::clicked, this, &CColourField::chooseClicked);

    m_pEdit->setMaximumWidth(110);
    connect(m_pEdit, &QLineEdit::textChanged, this, &CColourField::ShowColour);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pSwatch);
    layout->addWidget(m_pEdit);
    layout->addStretch(1);
    ShowColour();
}

void CColourField::ShowColour()
{
    // Read as OK reads it: "%x", whatever follows the number ignored.
    uint32_t value = 0;
    const bool valid = ScanHex(QtToLatin1(m_pEdit->text()), value);

    QPixmap pixmap(kSwatchSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QRect frame(0, 0, kSwatchSize.width() - 1, kSwatchSize.height() - 1);
    if (valid) {
        // The panel draws without the alpha byte, and so does the swatch.
        painter.fillRect(frame, QColor::fromRgb(QRgb(value & 0xffffffu) | 0xff000000u));
    } else {
        painter.setPen(QPen(Qt::gray, 1));
        painter.drawLine(frame.bottomLeft(), frame.topRight());
    }
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.drawRect(frame);
    painter.end();
    m_pSwatch->setIcon(QIcon(pixmap));
    m_pSwatch->setToolTip(valid ? QStringLiteral("%1: click to choose the color").arg(m_strName)
                                : QStringLiteral("%1: not a hexadecimal color").arg(m_strName));
}
