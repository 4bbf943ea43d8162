#pragma once

#include <QByteArray>
#include <QDate>

namespace qor::app {

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
