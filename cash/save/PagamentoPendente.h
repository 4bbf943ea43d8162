#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

namespace qor::cash {

// What an order holds in the columns a payment writes onto it.
struct EstadoDoPedido {
    bool existe = false; // the order was on the server
    double sinal = 0;
    double valorRestante = 0;
    QDate dataPagamento;
    QString formaPagamento;

    // Amounts compared to the cent, as the server stores them.
    bool operator==(const EstadoDoPedido& o) const;
};

// A payment recorded in the till (movement and settlement rows) whose write
// onto the order is still due: a row of PagamentoPendente, a table of this
// program's own written in the same local unit of work as the settlement
// row and removed once the order holds the payment.
struct PagamentoPendente {
    qint64 linha = 0;   // its row (rowid)
    QString estacao;    // as in Quitacao
    QString npedido;
    bool sinal = false; // a deposit ("S"); else a settlement ("Q")
    double valor = 0;   // the amount typed: a deposit's new SINAL
    QDate dataMov;
    QTime horaMov;
    QString formaPag;
    EstadoDoPedido antes; // the order when the payment was registered
    QString ultimaFalha;

    QString pedido() const { return estacao + QLatin1Char('.') + npedido; }
    QString tipo() const; // "Sinal" or "Quitação"
};

namespace pendentes {

// Stores a new due write-back (inside the caller's unit of work) and
// returns its row.
qint64 registra(const PagamentoPendente& p);
void conclui(qint64 linha);
void anotaFalha(qint64 linha, const QString& falha);
// Every due write-back, oldest first.
QList<PagamentoPendente> lista();

} // namespace pendentes

} // namespace qor::cash
