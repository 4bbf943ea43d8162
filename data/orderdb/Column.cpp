#include "data/orderdb/Column.h"

#include "data/base/Error.h"
#include "data/orderdb/Decimal.h"
#include "data/orderdb/Win1252.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <cmath>

namespace qor::orderdb {

namespace {

[[noreturn]] void invalid(const Column& column, const QVariant& value)
{
    throw Error(kind::InvalidValue,
                QStringLiteral("Valor \"%1\" inválido para o campo %2").arg(value.toString(), column.name));
}

bool isIntegral(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

bool isFloating(const QVariant& v)
{
    const int id = v.metaType().id();
    return id == QMetaType::Double || id == QMetaType::Float;
}

Decimal toDecimal(const Column& column, const QVariant& v, int scale)
{
    try {
        if (v.metaType() == QMetaType::fromType<Decimal>())
            return v.value<Decimal>().rescaled(scale);
        if (isIntegral(v))
            return Decimal::fromText(QString::number(v.toLongLong()), scale);
        if (isFloating(v))
            return Decimal::fromDouble(v.toDouble(), scale);
        if (v.metaType().id() == QMetaType::QString)
            return Decimal::fromText(v.toString(), scale);
    } catch (const Error&) {
        // Not a number, or too large: say which field.
    }
    invalid(column, v);
}

qlonglong toInteger(const Column& column, const QVariant& v)
{
    if (isIntegral(v))
        return v.toLongLong();
    if (isFloating(v)) {
        const double d = v.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d) || std::fabs(d) > 9.0e18)
            invalid(column, v);
        return static_cast<qlonglong>(d);
    }
    if (v.metaType() == QMetaType::fromType<Decimal>()) {
        const Decimal d = v.value<Decimal>();
        const Decimal whole = d.rescaled(0);
        if (whole.rescaled(d.scale) != d)
            invalid(column, v); // a fraction would be lost
        return whole.units;
    }
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (!ok)
        invalid(column, v);
    return n;
}

double toFloat(const Column& column, const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>().toDouble();
    if (isIntegral(v) || isFloating(v))
        return v.toDouble();
    bool ok = false;
    const double d = QLocale::c().toDouble(v.toString().trimmed(), &ok);
    if (!ok)
        invalid(column, v);
    return d;
}

QDate toDate(const Column& column, const QVariant& v)
{
    QDate d = v.metaType().id() == QMetaType::QString ? QDate::fromString(v.toString(), Qt::ISODate) : v.toDate();
    if (!d.isValid())
        invalid(column, v);
    return d;
}

QTime toTime(const Column& column, const QVariant& v)
{
    QTime t = v.metaType().id() == QMetaType::QString ? QTime::fromString(v.toString(), Qt::ISODateWithMs) : v.toTime();
    if (!t.isValid())
        invalid(column, v);
    return t;
}

QString toText(const Column& column, const QVariant& v)
{
    QString s = v.metaType() == QMetaType::fromType<Decimal>() ? v.value<Decimal>().toString() : v.toString();
    if (column.size > 0 && s.size() > column.size)
        s.truncate(column.size);
    encode1252(s); // raises on a character the code page cannot hold
    return s;
}

} // namespace

bool isNullValue(const QVariant& value) { return !value.isValid() || value.isNull(); }

QVariant normalize(const Column& column, const QVariant& value)
{
    if (isNullValue(value))
        return {};
    switch (column.kind) {
    case ColumnKind::Integer:
        return toInteger(column, value);
    case ColumnKind::Decimal:
        return toDecimal(column, value, column.scale).units;
    case ColumnKind::Float:
        return toFloat(column, value);
    case ColumnKind::Date:
        return toDate(column, value);
    case ColumnKind::Time:
        return toTime(column, value);
    case ColumnKind::Text:
        return toText(column, value);
    }
    invalid(column, value);
}

} // namespace qor::orderdb
