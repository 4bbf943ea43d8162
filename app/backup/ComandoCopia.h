#pragma once

#include <QStringList>

class QTextStream;

namespace qor {
class Clock;
}

namespace qor::backup {

// The backup commands of the program, with no window:
//   qor_caixa --backup PASTA [--manter N]
//   qor_caixa --restaurar CÓPIA [--confirmar]
// `argumentos`: the command line, program name first. Prints what was
// written (or would be restored) on `saida`, the reason of a failure on
// `erros`. Returns the exit code: 0 done, 1 failed or not confirmed,
// 2 wrong usage; -1 when argumentos[1] is neither command.
int comandoDeCopia(const QStringList& argumentos, QTextStream& saida, QTextStream& erros, const Clock& relogio);

} // namespace qor::backup
