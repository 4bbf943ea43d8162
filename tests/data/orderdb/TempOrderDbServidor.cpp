#include "tests/data/orderdb/TempOrderDb.h"

#include "tests/support/Rows.h"

namespace qor::test {

void TempOrderDb::writeServidor() const
{
    // In-process, the IP stays empty: an active row without one opens the file itself.
    insertRow(QStringLiteral("QORFDADOS"), QStringLiteral("Servidor"),
              {{QStringLiteral("Ativo"), QStringLiteral("S")},
               {QStringLiteral("IP"), serverHost()},
               {QStringLiteral("Servidor"), QStringLiteral("LOJA")}});
}

} // namespace qor::test
