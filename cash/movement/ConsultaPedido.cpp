#include "cash/movement/ConsultaPedido.h"

#include "data/base/Error.h"
#include "data/orderdb/CachedRowSet.h"
#include "data/orderdb/CommandTexts.h"
#include "data/orderdb/SqlCommand.h"

namespace qor::cash {

namespace {

// Closes the order dataset however the lookup ends.
class FechaAoSair {
public:
    explicit FechaAoSair(orderdb::CachedRowSet& rows) : rows_(rows) {}
    ~FechaAoSair() { rows_.close(); }
    FechaAoSair(const FechaAoSair&) = delete;
    FechaAoSair& operator=(const FechaAoSair&) = delete;

private:
    orderdb::CachedRowSet& rows_;
};

} // namespace

ReferenciaDoPedido ReferenciaDoPedido::de(const QString& textoDoCampo)
{
    return {textoDoCampo.left(2), textoDoCampo.mid(3)};
}

int ReferenciaDoPedido::npedido() const
{
    bool ok = false;
    const int n = numero.trimmed().toInt(&ok);
    if (!ok)
        throw Error(kind::InvalidValue, QStringLiteral("'%1' não é um número de pedido").arg(numero));
    return n;
}

QString comandoDaConsulta()
{
    return QStringLiteral("select ") + orderdb::PedidosColumnList +
           QStringLiteral(" from PEDIDOS where (Tipopedido = 'Pedido') and (ESTACAO = ?) and (NPEDIDO = ?)");
}

ConsultaDoPedido consultaPedido(orderdb::SqlCommand& SQLDS_Pedidos, orderdb::CachedRowSet& PEDIDOS,
                                const QString& textoDoCampo)
{
    FechaAoSair fecha(PEDIDOS);
    const ReferenciaDoPedido ref = ReferenciaDoPedido::de(textoDoCampo);
    PEDIDOS.close();
    SQLDS_Pedidos.setCommandText(comandoDaConsulta());
    SQLDS_Pedidos.addBindValue(ref.estacao);
    SQLDS_Pedidos.addBindValue(ref.npedido());
    PEDIDOS.open();

    ConsultaDoPedido c;
    if (PEDIDOS.recordCount() == 0)
        return c;
    c.tipo = PEDIDOS.asString(QStringLiteral("TIPOPEDIDO"));
    if (c.tipo != QLatin1String("Pedido")) {
        c.resultado = ConsultaDoPedido::Resultado::TipoDiferente;
        return c;
    }
    c.resultado = ConsultaDoPedido::Resultado::Encontrado;
    PrecosDoPedido& p = c.precos;
    p.precoTotal = PEDIDOS.asFloat(QStringLiteral("PRECOTOTAL"));
    p.descPerc = PEDIDOS.asFloat(QStringLiteral("DESCPERC"));
    p.desconto = PEDIDOS.asFloat(QStringLiteral("DESCONTO"));
    p.precoFinal = PEDIDOS.asFloat(QStringLiteral("PRECOFINAL"));
    p.sinal = PEDIDOS.asFloat(QStringLiteral("SINAL"));
    p.valorRestante = PEDIDOS.asFloat(QStringLiteral("VALORRESTANTE"));
    p.laboratorio = PEDIDOS.asString(QStringLiteral("LABORATORIO"));
    return c;
}

QString mensagemDeTipoDiferente(const QString& tipo)
{
    return QStringLiteral("O Pedido está como \"") + tipo +
           QStringLiteral("\" e não será possível fazer a quitação do mesmo.");
}

} // namespace qor::cash
