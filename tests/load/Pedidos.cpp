#include "tests/load/Pedidos.h"

#include "data/orderdb/SQLConnection.h"
#include "data/orderdb/SqlCommand.h"
#include "tests/load/Registro.h"

#include <QHash>
#include <algorithm>

namespace qor::load {

namespace {

// The payments that may have been applied last: none of them ended before
// another one started.
QList<Pagamento> ultimos(const QList<Pagamento>& pagamentos)
{
    qint64 ultimoInicio = 0;
    for (const Pagamento& p : pagamentos)
        ultimoInicio = std::max(ultimoInicio, p.inicio);
    QList<Pagamento> candidatos;
    for (const Pagamento& p : pagamentos)
        if (p.fim >= ultimoInicio)
            candidatos << p;
    return candidatos;
}

// The amounts come as whole cents (cast on the server).
qint64 centavos(const QVariant& v)
{
    return v.toLongLong();
}

} // namespace

int conferePedidos(
    const QString& database, const QString& estacaoDosPedidos, const QStringList& registros, QTextStream& out)
{
    QHash<int, QList<Pagamento>> porPedido;
    for (const QString& arquivo : registros)
        for (const Pagamento& p : lePagamentos(arquivo))
            if (p.venda())
                porPedido[p.pedido.mid(3).toInt()] << p;

    orderdb::SQLConnection conexao;
    conexao.setParam(QStringLiteral("Database"), database);
    conexao.open();
    orderdb::SqlCommand consulta(conexao);
    consulta.setCommandText(
        QStringLiteral("select NPEDIDO, cast(SINAL * 100 as bigint), cast(VALORRESTANTE * 100 as bigint), "
                       "cast(PRECOFINAL * 100 as bigint), FORMAPAGAMENTO from PEDIDOS where ESTACAO = ?"));
    consulta.addBindValue(estacaoDosPedidos);
    const orderdb::RowData dados = consulta.fetchAll();

    QStringList errados;
    int conferidos = 0;
    for (const QVariantList& linha : dados.rows) {
        const auto it = porPedido.constFind(linha.at(0).toInt());
        if (it == porPedido.constEnd())
            continue;
        ++conferidos;
        QList<Pagamento> sinais;
        for (const Pagamento& p : *it)
            if (p.tipo == u"Sinal")
                sinais << p;
        const qint64 sinal = centavos(linha.at(1));
        const bool sinalCerto = sinais.isEmpty()
            ? sinal == 0
            : std::ranges::any_of(ultimos(sinais), [&](const Pagamento& p) { return p.centavos == sinal; });
        const bool restanteCerto = centavos(linha.at(2)) == centavos(linha.at(3)) - sinal;
        const QString forma = linha.at(4).toString();
        const bool formaCerta
            = std::ranges::any_of(ultimos(*it), [&](const Pagamento& p) { return p.formaPag == forma; });
        if (!sinalCerto || !restanteCerto || !formaCerta)
            errados
                << QStringLiteral("%1 (SINAL %2, FORMAPAGAMENTO %3)").arg(linha.at(0).toInt()).arg(sinal).arg(forma);
    }
    out << QStringLiteral("orders: %1 paid by the stations, checked %2\n").arg(porPedido.size()).arg(conferidos);
    const bool todos = conferidos == porPedido.size();
    out << (todos ? "ok: " : "FAIL: ") << "every order paid is on the server\n";
    out << (errados.isEmpty() ? "ok: " : "FAIL: ") << "each order holds its last payment"
        << (errados.isEmpty() ? QString() : QStringLiteral(": ") + errados.mid(0, 10).join(QStringLiteral(", ")))
        << '\n';
    return 0;
}

} // namespace qor::load
