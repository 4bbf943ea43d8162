#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

namespace qor::test {

// Field name -> value of one row to seed; fields left out stay empty.
using Row = QVariantMap;

// Seeds rows through the table engine (so values are stored exactly as the
// program stores them) into a table the site set-up made (TempSuite):
//   insertRows("QORFDADOS", "MovCaixa", {{{"NumSessao", 1}, {"Valor", 10.0}},
//                                        {{"NumSessao", 2}, {"NPedido", "01.000123"}}});
// Locations are the program's: an alias or a suite folder ("C:\QUELVORA\QUITACAO").
void insertRows(const QString& location, const QString& table, const QList<Row>& rows);
void insertRow(const QString& location, const QString& table, const Row& row);

// Rows of a table.
int countRows(const QString& location, const QString& table);

// One field of every row, in the table's natural order.
QVariantList column(const QString& location, const QString& table, const QString& field);

} // namespace qor::test
