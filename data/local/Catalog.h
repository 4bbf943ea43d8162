#pragma once

#include "data/local/DataSet.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace qor::data {

// A secondary index the catalog declares. A unique one treats empty values
// as equal (it is built over ifnull(field, '')), as the suite's tables do.
struct IndexDef {
    QString name;        // the name callers select ("PedSiQui")
    QStringList fields;
    bool unique = false;
};

// One local table as the suite shares it: fields in stored order with kind
// and size, the primary key (empty: none declared; Destinos gets one later
// through Table::addIndex), the order of an unkeyed table, and its indexes;
// where the site set-up creates it, and the values of its one row for the
// tables that hold exactly one.
struct TableDef {
    QString name;
    QList<FieldDef> fields;
    QStringList primaryKey;
    QStringList naturalOrder;  // unkeyed tables: fields before entry order
    QList<IndexDef> indexes;
    QStringList nullScanFields; // "where X is null" deletes get a partial index

    const FieldDef* field(const QString& name) const; // case-insensitive
    int position(const QString& name) const;          // case-insensitive; -1 when absent
    QHash<QString, int> positions;                     // exact and lower-case names
    const IndexDef* index(const QString& name) const; // case-insensitive
    QString home = QStringLiteral("QORFDADOS");         // alias or suite folder
    QVariantMap oneRow;                                 // empty: not a one-row table
};

// Every table the cash workstation opens, with the sizes it fixes.
class Catalog {
public:
    // "SessaoCx", "sessaocx", "SessaoCx.db" and "SESSAOCX.DB" find the same
    // table; nullptr for a name the catalog does not know.
    static const TableDef* find(const QString& name);
    static const QList<TableDef>& tables();

    // The bare table name of "SessaoCx.db" (extension dropped).
    static QString stripExtension(const QString& name);

    // Every table the site set-up creates at a location, in catalog order.
    static QList<const TableDef*> tablesAt(const QString& location);
    // The locations the site set-up creates tables in, in catalog order.
    static QStringList homes();
};

} // namespace qor::data
