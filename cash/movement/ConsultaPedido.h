#pragma once

#include <QString>

namespace qor::orderdb {
class CachedRowSet;
class SqlCommand;
} // namespace qor::orderdb

namespace qor::cash {

// The order reference as the order-number field shows it ("01.001234", mask
// "AA.######", blanks as spaces): the station is its first two characters,
// the order number the text from the fourth character on.
struct ReferenciaDoPedido {
    QString estacao;
    QString numero;
    static ReferenciaDoPedido de(const QString& textoDoCampo);
    // The order number as the server's integer NPEDIDO; raises InvalidValue
    // for a text that is no whole number (blank included).
    int npedido() const;
};

// What the price panel shows and the movement takes from an order.
struct PrecosDoPedido {
    double precoTotal = 0;
    double descPerc = 0;
    double desconto = 0;
    double sinal = 0;
    double valorRestante = 0;
    double precoFinal = 0;
    QString laboratorio;
};

struct ConsultaDoPedido {
    enum class Resultado { NaoEncontrado, TipoDiferente, Encontrado };
    Resultado resultado = Resultado::NaoEncontrado;
    QString tipo; // TIPOPEDIDO of the row found
    PrecosDoPedido precos;
};

// The lookup's statement: the order dataset's 60 columns, orders of type
// "Pedido" only, station and number as bound values.
QString comandoDaConsulta();

// Selects the order through the data module's order dataset and reads it.
// A row whose type is not exactly "Pedido" (the server may compare without
// regard to case) comes back as TipoDiferente. Errors (no connection, a
// number that is no number, the server refusing) are raised; the dataset is
// closed on return either way.
ConsultaDoPedido consultaPedido(orderdb::SqlCommand& SQLDS_Pedidos, orderdb::CachedRowSet& PEDIDOS,
                                const QString& textoDoCampo);

QString mensagemDeTipoDiferente(const QString& tipo);

} // namespace qor::cash
