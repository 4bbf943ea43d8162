#pragma once

#include <QString>
#include <QTextStream>

namespace qor::load {

struct OpcoesDaEstacao {
    QString database; // the order database's connection string
    int estacao = 1; // this station's number (1..)
    int pagamentos = 1000;
    int pedidos = 1000; // orders 1..pedidos of estacaoDosPedidos, shared by every station
    QString estacaoDosPedidos; // two characters
    QString registro; // record file of the payments taken
};

// One till under the suite root of QUELVORA_ROOT, through the window's own
// core code: start-up recovery, identification, a session opened, the
// payments taken, the session closed; then its own files checked. Prints
// "ok: …" / "FAIL: …" lines and the latency figures.
int rodaEstacao(const OpcoesDaEstacao& opcoes, QTextStream& out);

} // namespace qor::load
