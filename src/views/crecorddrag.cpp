#include "crecorddrag.h"

#include "recordtypes.h"

#include <QMimeData>
#include <QStringList>

QMimeData* MakeRecordTypeMime(int code)
{
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kRecordTypeMime), QByteArray::number(code));
    return mime;
}

std::optional<int> DroppedRecordType(const QMimeData* mime)
{
    if (!mime || !mime->hasFormat(QString::fromLatin1(kRecordTypeMime)))
        return std::nullopt;
    bool ok = false;
    const int code = mime->data(QString::fromLatin1(kRecordTypeMime)).toInt(&ok);
    const CRecordType* type = ok ? FindRecordTypeOfCode(code) : nullptr;
    if (!type || !type->placeable || !type->create)
        return std::nullopt;
    return code;
}

QMimeData* MakeTemplatePieceMime(const CRect& piece)
{
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kTemplatePieceMime), QStringLiteral("%1 %2 %3 %4")
                                                               .arg(piece.left)
                                                               .arg(piece.top)
                                                               .arg(piece.right)
                                                               .arg(piece.bottom)
                                                               .toLatin1());
    return mime;
}

std::optional<CRect> DroppedTemplatePiece(const QMimeData* mime)
{
    if (!mime || !mime->hasFormat(QString::fromLatin1(kTemplatePieceMime)))
        return std::nullopt;
    const QStringList parts =
        QString::fromLatin1(mime->data(QString::fromLatin1(kTemplatePieceMime)))
            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return std::nullopt;
    int v[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const CRect piece(v[0], v[1], v[2], v[3]);
    if (piece.IsRectEmpty())
        return std::nullopt;
    return piece;
}
