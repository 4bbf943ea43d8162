#pragma once

#include <QString>
#include <QStringList>

namespace qor::cli {

// The one list of the program's command-line options: what --help prints.
// The manual page (app/package/qor_caixa.1) documents the same options; a
// test holds the two together.
QString textoDeAjuda();

// "QOR Caixa <version>", what --version prints.
QString textoDeVersao();

// Every option named in the help text ("--backup", "--manter", ...).
QStringList opcoesDaAjuda();

// --help and --version, printed on stdout with no display needed. Returns
// the exit code when argv[1] is one of them, -1 otherwise.
int ajudaOuVersao(int argc, char** argv);

} // namespace qor::cli
