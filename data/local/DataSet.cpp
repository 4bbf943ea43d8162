#include "data/local/DataSet.h"

#include "data/base/Error.h"
#include "data/local/StoredValue.h"

namespace qor::data {

bool DataSet::hasField(const QString& name) const
{
    for (const FieldDef& f : fields())
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int DataSet::fieldIndex(const QString& name) const
{
    const QList<FieldDef>& all = fields();
    for (int i = 0; i < all.size(); ++i)
        if (all.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw Error(kind::FieldNotFound, QStringLiteral("Campo %1 não encontrado em %2").arg(name, objectName()));
}

void DataSet::moveToRecNo(int recNo)
{
    first();
    for (int i = 0; i < recNo && !eof(); ++i)
        next();
}

QString DataSet::asString(const QString& field) const
{
    const QVariant v = value(field);
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return v.toString();
    }
}

int DataSet::asInteger(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return int(v.toDouble());
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok)
        throw Error(kind::InvalidValue, QStringLiteral("'%1' não é um número inteiro (campo %2)").arg(v.toString(), field));
    return n;
}

double DataSet::asFloat(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return 0.0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        throw Error(kind::InvalidValue, QStringLiteral("'%1' não é um número (campo %2)").arg(v.toString(), field));
    return d;
}

QDate DataSet::asDate(const QString& field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    if (v.typeId() == QMetaType::QString)
        return stored::fromStorage(FieldKind::Date, v).toDate();
    return v.toDate();
}

QTime DataSet::asTime(const QString& field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().time();
    if (v.typeId() == QMetaType::QString)
        return stored::fromStorage(FieldKind::Time, v).toTime();
    return v.toTime();
}

} // namespace qor::data
