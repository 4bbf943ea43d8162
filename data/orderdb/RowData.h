#pragma once

#include "data/orderdb/Column.h"

#include <QList>
#include <QVariantList>

namespace qor::orderdb {

// Rows as fetched: values in the form normalize() gives, one per column.
struct RowData {
    QList<Column> columns;
    QList<QVariantList> rows;
};

} // namespace qor::orderdb
