#pragma once

#include <QStringList>
#include <QTextStream>

namespace qor::app {

// What the site set-up is asked to put in place beside the folders and the
// tables: the order-database server (the active Servidor row) and this
// workstation's code (its Estacoes row and its work folder InterfacXX).
struct OpcoesDoSite {
    QString servidor;
    QString estacao;
};

// Sets the site up under the suite root: the suite's folders, the data
// files with every local table (empty; the one-row tables with their row),
// the report project, and the rows the options ask for. What already exists
// is left as it is. Returns one line (Portuguese) per thing created or
// changed. Raises qor::Error when something can't be created.
QStringList configuraSite(const OpcoesDoSite& opcoes);

// The command `qor_caixa --configurar-site [--servidor HOST] [--estacao CODE]`:
// `arguments` are the program's (arguments[1] is --configurar-site). Prints
// what it created to `out`, or that the site was already set up; errors to
// `err`. Exit code 0 when done, 1 on an error, 2 on wrong options.
int comandoConfiguraSite(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace qor::app
