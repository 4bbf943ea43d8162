#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace qor::test {

// A field of a Paradox table to write: pxlib's kind code (pxfAlpha, pxfLong,
// pxfNumber, pxfDate, pxfTime, pxfShort, pxfCurrency, pxfLogical, ...) and,
// for alpha, its length; the other kinds take their fixed size.
struct PxField {
    QString name;
    int type = 0;
    int size = 0;
};

// Values in field order; a null QVariant leaves the field empty (all bytes
// zero). QString (written as Windows-1252), int, double, QDate, QTime, bool;
// an int in a date or time field is written as its raw day or millisecond.
using PxRow = QVariantList;

// Writes a Paradox 7 table with pxlib, code page 1252. With keyFields > 0 the
// table is keyed on its first keyFields fields (rows must come in key order)
// and its primary index is written to pxPath when given. A text that does not fit its
// field fails the test run (pxlib would silently leave the field empty).
void writeParadox(const QString& dbPath, const QList<PxField>& fields, const QList<PxRow>& rows, int keyFields = 0,
                  const QString& pxPath = {});

} // namespace qor::test
