#pragma once

#include "data/local/DataSet.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace qor::cash {

// One record of a table as the other stations' client-dataset readers take
// it (their XML data-packet format, "dfXML"): the field definitions in table
// order and at most one row. Values are given per field, in the same order;
// a null QVariant leaves the field out of the row.
struct DataPacket {
    QList<data::FieldDef> fields;
    std::optional<QVariantList> row;
};

// The packet as text. Only ASCII comes out: every other character, the
// control characters, quotes, "&" and "<" become "&#N;" references.
QString toDfXml(const DataPacket& packet);

// Value texts of the format, exposed for the tests and for readers of ours.
QString dfXmlDate(const QDate& d);         // yyyymmdd
QString dfXmlTime(const QTime& t);         // hh:nn:sszzz
QString dfXmlDateTime(const QDateTime& dt); // yyyymmddThh:nn:sszzz
QString dfXmlFloat(double v);              // "." as decimal separator, shortest exact form
QString dfXmlEscape(const QString& text);

} // namespace qor::cash
