#include "reports/control/SinaisEmAberto.h"

#include "data/orderdb/TDM.h"
#include "reports/control/ServidorDePedidos.h"

#include <algorithm>

namespace qor::reports {

QString faixaDeIdade(const QDate& pedido, const QDate& hoje, int* indice)
{
    static const QString faixas[] = {QStringLiteral("0 a 7 dias"), QStringLiteral("8 a 30 dias"),
                                     QStringLiteral("31 a 90 dias"), QStringLiteral("mais de 90 dias")};
    const qint64 dias = pedido.daysTo(hoje);
    const int i = dias <= 7 ? 0 : dias <= 30 ? 1 : dias <= 90 ? 2 : 3;
    if (indice)
        *indice = i;
    return faixas[i];
}

void montaSinaisEmAberto(orderdb::TDM& DM, const QDate& hoje)
{
    DM.qrySinaisEmAberto.close();
    DM.qrySinaisEmAberto.carrega({});
    const orderdb::RowData pedidos = consultaServidor(
        DM, kRelatorioSinaisEmAberto,
        QStringLiteral("select LABORATORIO, ESTACAO, NPEDIDO, NOME, DATAPEDIDO, cast(SINAL as double precision), "
                       "cast(VALORRESTANTE as double precision) from PEDIDOS "
                       "where SINAL > 0 and VALORRESTANTE > 0 and DATAPAGAMENTO is null"));
    struct Linha {
        int faixa;
        QVariantList valores;
    };
    QList<Linha> linhas;
    for (const QVariantList& r : pedidos.rows) {
        const QDate data = r.at(4).toDate();
        int faixa = 0;
        const QString rotulo = faixaDeIdade(data, hoje, &faixa);
        linhas << Linha{faixa,
                        {r.at(0).toString().trimmed(), rotulo,
                         r.at(1).toString().trimmed() + QLatin1Char('.') + r.at(2).toString(), r.at(3), data,
                         int(data.daysTo(hoje)), r.at(5), r.at(6)}};
    }
    std::stable_sort(linhas.begin(), linhas.end(), [](const Linha& a, const Linha& b) {
        const QString la = a.valores.at(0).toString(), lb = b.valores.at(0).toString();
        if (la != lb)
            return la < lb;
        if (a.faixa != b.faixa)
            return a.faixa < b.faixa;
        return a.valores.at(4).toDate() < b.valores.at(4).toDate();
    });
    QList<QVariantList> valores;
    for (const Linha& l : linhas)
        valores << l.valores;
    DM.qrySinaisEmAberto.carrega(valores);
}

} // namespace qor::reports
