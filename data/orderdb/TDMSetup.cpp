#include "data/orderdb/TDM.h"

#include "data/orderdb/ClientLibrary.h"
#include "data/orderdb/ServerChoice.h"

#include <QScopeGuard>

namespace qor::orderdb {

void TDM::DataModuleCreate()
{
    SQLConnection1.setVendorLib(ClientLibrary::fromSuiteFile());

    ServerChoice choice;
    Servidor.open();
    const auto closeServidor = qScopeGuard([this] { Servidor.close(); });
    for (Servidor.first(); !Servidor.eof(); Servidor.next()) {
        choice.consider(Servidor.asString(QStringLiteral("Ativo")), Servidor.asString(QStringLiteral("IP")));
        // Not used to connect, but read like the others: a table without
        // the field fails here.
        Servidor.asString(QStringLiteral("Servidor"));
    }

    SQLConnection1.close();
    SQLConnection1.setParam(QStringLiteral("Database"), ServerChoice::databaseFor(choice.address()));
    SQLConnection1.open();
}

} // namespace qor::orderdb
