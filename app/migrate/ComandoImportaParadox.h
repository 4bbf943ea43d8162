#pragma once

#include <QStringList>

class QTextStream;

namespace qor::migrate {

// qor_caixa --importar-paradox PASTA [--substituir]
// `argumentos`: the command line as typed, program name first. The report
// goes to `saida`: per table "Tabela (ARQUIVO): lidas N, importadas N,
// recusadas N", each refused row under it, then the tables not found. A
// refusal goes to `erros`, one line per reason after "nada foi importado".
// Returns 0 imported (refused rows are in the report), 1 nothing imported,
// 2 wrong usage.
int comandoImportaParadox(const QStringList& argumentos, QTextStream& saida, QTextStream& erros);

} // namespace qor::migrate
