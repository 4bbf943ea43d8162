#pragma once

#include <QString>
#include <QVariant>

namespace qor::reports {

// Display formats as the report project and the data module write them:
// numbers "###,##0.00", "R$ ###,##0.00" ("," asks for thousands grouping,
// "0" a required digit, "#" an optional one, anything else is literal) and
// dates/times "dd/mm/yy", "dd/mm/yyyy", "hh:nn" ("mm" right after an hour
// means minutes, as in "hh:mm"; text between quotes is literal:
// "'Impresso em' dd/mm/yyyy"). Brazilian separators: 1.234,50.
//
// A null value shows as "". Text is shown as it is. An empty format gives
// the default display of the value's kind.
QString formatValue(const QVariant& value, const QString& format);

QString formatNumber(double value, const QString& format);
QString formatDateTime(const QDate& date, const QTime& time, const QString& format);

} // namespace qor::reports
