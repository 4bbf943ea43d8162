#pragma once

#include "data/local/DataSet.h"

#include <QByteArray>
#include <QVariant>
#include <QVariantList>

struct sqlite3_stmt;

namespace qor::data {

// The values of one row as SQLite gave them, copied in one block: one
// allocation per row, and text is decoded only when it is read. Values come
// back in their stored form (qlonglong, double, QString, QByteArray or null).
class PackedRow {
public:
    PackedRow() = default;
    // Columns first.. of the statement's current row.
    static PackedRow fromStatement(sqlite3_stmt* st, int first);

    int size() const;
    QVariant at(int i) const;
    // The value as callers read a field of that kind (see stored::fromStorage),
    // decoded straight from the block.
    QVariant read(int i, FieldKind kind) const;
    QVariantList toList() const;

private:
    QByteArray data_; // count, then one offset per value, then type byte + payload per value
};

} // namespace qor::data
