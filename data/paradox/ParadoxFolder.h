#pragma once

#include <QString>

namespace qor::paradox {

// The file `fileName` in `folder` spelled in any case ("SessaoCx.db" finds
// "SESSAOCX.DB"), as the full path; "" when there is none. Two files that
// differ only in case raise an Error of kind IoError naming both: which one
// the suite's engine would have used cannot be told.
QString findFile(const QString& folder, const QString& fileName);

} // namespace qor::paradox
