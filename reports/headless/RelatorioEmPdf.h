#pragma once

#include <QStringList>

class QTextStream;

namespace qor::reports {

// The program's headless report command, for the back office and tests:
//   qor_caixa --report <name> --pdf <file>
//             [--session N | --from dd/mm/yyyy --to dd/mm/yyyy [--store X] [--salvar-periodo]]
// Prepares the datasets the report's command would prepare (the session's
// queries, or the period query and the heading over the dates given; the
// store filters rpt_ResumoVendas_Loja only; rpt_Conciliacao takes the
// period alone, rpt_SinaisEmAberto no option, both reading the order
// server the data module's Servidor row names) and renders the named report of
// the suite's project straight into a PDF file, with no window. The site's
// saved period (Periodo, what the period panel proposes) is left alone
// unless --salvar-periodo asks to store it as the panel would. A report that
// is none of the program's takes no option and runs over the
// datasets as they are. The session pointer CaixaCor is left alone, but for
// rpt_ParcialCaixa of the open session, whose totals are first brought up
// to date as the menu command does.
// `arguments`: the command line as typed, program name first.
// Returns the exit code: 0 written, 1 failed (the reason on `erros`),
// 2 wrong usage.
int relatorioEmPdf(const QStringList& arguments, QTextStream& erros);

} // namespace qor::reports
