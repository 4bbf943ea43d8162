#pragma once

#include <QStringList>

namespace qor::data {

// The site set-up of the local tables, the one place that creates them: in
// the folder of each catalog table's location, the folder and the data file
// when missing, every table that is missing (empty, the one-row tables with
// their row), the fields a table lacks, and the row id of its own for a
// table made by an earlier version (every row keeps its number). Tables and
// rows already there are left as they are. Returns one line (Portuguese)
// per thing created or changed: none when the site was complete.
QStringList setUpTables();

} // namespace qor::data
