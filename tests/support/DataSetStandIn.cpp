// Interim: the DataSet helpers until the local tables library is merged.
#include "data/base/Error.h"
#include "data/local/DataSet.h"

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

QString DataSet::asString(const QString& field) const { return value(field).toString(); }
int DataSet::asInteger(const QString& field) const { return value(field).toInt(); }
double DataSet::asFloat(const QString& field) const { return value(field).toDouble(); }
QDate DataSet::asDate(const QString& field) const { return value(field).toDate(); }
QTime DataSet::asTime(const QString& field) const { return value(field).toTime(); }

} // namespace qor::data
