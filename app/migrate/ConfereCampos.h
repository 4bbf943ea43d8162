#pragma once

#include "data/local/Catalog.h"
#include "data/paradox/ParadoxTable.h"

#include <QStringList>

namespace qor::migrate {

// What keeps a Paradox table from going into the site's table `def`, one
// text per field: a field of `def` the file lacks, a field of another kind,
// a text longer than `def` holds. Names match without regard to case.
// Empty when every field of `def` can be imported as stored.
QStringList confereCampos(const data::TableDef& def, const QList<paradox::ParadoxField>& campos);

// The file's fields that `def` does not have (the suite's other programs'
// own): they are left behind.
QStringList camposDeFora(const data::TableDef& def, const QList<paradox::ParadoxField>& campos);

} // namespace qor::migrate
