#pragma once

#include "data/base/Clock.h"
#include "data/local/Table.h"

#include <QByteArray>
#include <QDate>

namespace qor::app {

// Start-up: the purge below with the number of days in the first row of
// Limite (field QdeDiasAManter; empty or no row counts as 0).
void RetencaoArquivosQuitacao(data::Table& limite, const Clock& clock);
int diasAManter(data::Table& limite);

// Purge of old settlement exchange files. The list
// c:\quelvora\quitacao\listarq.txt names files of that folder, one per line
// ("yymmddhhnnss.txt", only the first 20 characters of a line count). Names
// that sort before the cut-off (the day daysToKeep before today, at
// midnight) are deleted with their lines; the others are written back, and
// listarq.txt always exists afterwards (empty when there was no list).
//
// Errors reading the list or writing a kept name end the pass silently (the
// names handled so far count), failed deletions are ignored; failing to
// create the work file listarqN.txt or to rename it raises IoError.
void purgeSettlementFiles(int daysToKeep, const QDate& today);

// "yymmdd000000.txt" for the day daysToKeep before today.
QByteArray settlementCutOff(int daysToKeep, const QDate& today);

} // namespace qor::app
