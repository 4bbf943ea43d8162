#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

namespace qor::paradox {

// A field as the table's header declares it: pxlib's kind code (pxfAlpha,
// pxfLong, ...) and its size in bytes (an alpha field's size is its length).
struct ParadoxField {
    QString name;
    int type = 0;
    int size = 0;
};

// A Paradox table (.db) opened read-only through pxlib, with its primary
// index (.px) when one is given and pxlib can use it. Rows are read one at a
// time by number, in the table's order (key order for a keyed table).
//
// Values of the row read: a null QVariant for an empty field (all bytes
// zero: pxlib reads an empty long integer, date or time as garbage on 64-bit,
// so the bytes are tested first); QString for alpha (Windows-1252, up to the
// first zero byte); int for long integer; double for number, bit for bit;
// QDate for date (day 1 is 1 January of year 1); QTime for time
// (milliseconds since midnight). Any other kind raises InvalidValue, as does
// a date or time out of range.
//
// Every failure raises qor::Error (IoError for the files, naming them).
class ParadoxTable {
public:
    explicit ParadoxTable(const QString& dbPath, const QString& pxPath = {});
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable&) = delete;
    ParadoxTable& operator=(const ParadoxTable&) = delete;

    const QList<ParadoxField>& fields() const;
    int rowCount() const;

    // Why the primary index given was not used (pxlib's complaint); "" when
    // it was used or none was given. The rows are in the .db either way.
    QString indexProblem() const;

    void readRow(int row);        // 0-based; raises IoError when pxlib cannot read it
    QVariant value(int field) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace qor::paradox
