#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace qor::load {

// Each order's payment columns on the server against the payments every
// station recorded: SINAL is the amount of the last deposit applied to it
// (none: unchanged), VALORRESTANTE the price less it, FORMAPAGAMENTO the
// form of the last payment. "Last" by the saves' times: a payment whose
// save ended before another's started was applied before it.
int conferePedidos(
    const QString& database, const QString& estacaoDosPedidos, const QStringList& registros, QTextStream& out);

} // namespace qor::load
