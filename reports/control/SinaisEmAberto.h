#pragma once

#include <QDate>
#include <QString>

namespace qor::orderdb {
class TDM;
}

namespace qor::reports {

inline const QString kRelatorioSinaisEmAberto = QStringLiteral("rpt_SinaisEmAberto");

// The age band of an order dated `pedido` on `hoje`: "0 a 7 dias",
// "8 a 30 dias", "31 a 90 dias", "mais de 90 dias"; its index (0..3) in `indice`.
QString faixaDeIdade(const QDate& pedido, const QDate& hoje, int* indice = nullptr);

// Fills rvdsSinaisEmAberto: the orders on the server with a deposit, a
// remaining value and no payment date, by store, age band (as of `hoje`)
// and order date. Raises ServerUnreachable as montaConciliacao does.
void montaSinaisEmAberto(orderdb::TDM& DM, const QDate& hoje);

} // namespace qor::reports
