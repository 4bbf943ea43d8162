#include "data/base/Error.h"

namespace qor {

Error::Error(QString kind, QString text)
    : std::runtime_error((kind + QStringLiteral(": ") + text).toStdString()),
      kind_(std::move(kind)),
      text_(std::move(text))
{
}

} // namespace qor
