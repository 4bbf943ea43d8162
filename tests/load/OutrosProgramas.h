#pragma once

#include <QString>
#include <QTextStream>

namespace qor::load {

// The suite's other programs on the data folder of QUELVORA_ROOT while a
// till works there: rows of their own appended to MovCaixa, changed and
// purged through a plain SQLite connection, and the period report queries
// run and read to the end. Until `parada` exists, or `limiteSegundos`.
int rodaOutrosProgramas(const QString& parada, int limiteSegundos, QTextStream& out);

} // namespace qor::load
