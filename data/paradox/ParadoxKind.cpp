#include "data/paradox/ParadoxKind.h"

#include "data/paradox/Pxlib.h"

namespace qor::paradox {

std::optional<data::FieldKind> tableKind(int paradoxType)
{
    switch (paradoxType) {
    case pxfAlpha:
        return data::FieldKind::Text;
    case pxfLong:
        return data::FieldKind::Integer;
    case pxfNumber:
        return data::FieldKind::Float;
    case pxfDate:
        return data::FieldKind::Date;
    case pxfTime:
        return data::FieldKind::Time;
    default:
        return std::nullopt;
    }
}

QString paradoxKindName(int paradoxType)
{
    switch (paradoxType) {
    case pxfAlpha:
        return QStringLiteral("Alfanumérico");
    case pxfDate:
        return QStringLiteral("Data");
    case pxfShort:
        return QStringLiteral("Inteiro curto");
    case pxfLong:
        return QStringLiteral("Inteiro longo");
    case pxfCurrency:
        return QStringLiteral("Monetário");
    case pxfNumber:
        return QStringLiteral("Número");
    case pxfLogical:
        return QStringLiteral("Lógico");
    case pxfMemoBLOb:
        return QStringLiteral("Memo");
    case pxfBLOb:
        return QStringLiteral("Binário");
    case pxfFmtMemoBLOb:
        return QStringLiteral("Memo formatado");
    case pxfOLE:
        return QStringLiteral("OLE");
    case pxfGraphic:
        return QStringLiteral("Gráfico");
    case pxfTime:
        return QStringLiteral("Hora");
    case pxfTimestamp:
        return QStringLiteral("Data e hora");
    case pxfAutoInc:
        return QStringLiteral("Autoincremento");
    case pxfBCD:
        return QStringLiteral("BCD");
    case pxfBytes:
        return QStringLiteral("Bytes");
    default:
        return QStringLiteral("tipo %1").arg(paradoxType);
    }
}

QString tableKindName(data::FieldKind kind)
{
    switch (kind) {
    case data::FieldKind::Integer:
        return QStringLiteral("Inteiro longo");
    case data::FieldKind::Float:
        return QStringLiteral("Número");
    case data::FieldKind::Date:
        return QStringLiteral("Data");
    case data::FieldKind::Time:
        return QStringLiteral("Hora");
    case data::FieldKind::DateTime:
        return QStringLiteral("Data e hora");
    case data::FieldKind::Text:
        return QStringLiteral("Alfanumérico");
    }
    return {};
}

} // namespace qor::paradox
