#include "data/orderdb/ServerChoice.h"

#include "data/base/SuitePaths.h"
#include "data/base/Text.h"

namespace qor::orderdb {

void ServerChoice::consider(const QString& ativo, const QString& ip)
{
    if (text::upperAZ(ativo) == QLatin1String("S"))
        address_ = ip.left(30);
}

QString ServerChoice::databasePath()
{
#ifdef Q_OS_WIN
    // A path on the server, which is not this machine.
    return QStringLiteral("C:\\quelvora\\dados\\quelvora.bd");
#else
    return SuitePaths::map(QStringLiteral("c:\\quelvora\\dados\\quelvora.bd"));
#endif
}

QString ServerChoice::databaseFor(const QString& address)
{
    return address.isEmpty() ? databasePath() : address + QLatin1Char(':') + databasePath();
}

} // namespace qor::orderdb
