#include "reports/control/ServidorDePedidos.h"

#include "data/base/Error.h"
#include "data/orderdb/TDM.h"

namespace qor::reports {

orderdb::RowData consultaServidor(orderdb::TDM& DM, const QString& relatorio, const QString& sql,
                                  const QVariantList& valores)
{
    try {
        if (!DM.SQLConnection1.connected())
            DM.DataModuleCreate();
        orderdb::SqlCommand comando(DM.SQLConnection1);
        comando.setCommandText(sql);
        for (const QVariant& v : valores)
            comando.addBindValue(v);
        return comando.fetchAll();
    } catch (const Error& e) {
        const QString& k = e.kind();
        if (k != kind::ServerUnreachable && k != kind::NotConnected && k != kind::LoginRefused
            && k != kind::DatabaseMissing && k != kind::ClientLibrary)
            throw;
        throw Error(kind::ServerUnreachable,
                    QStringLiteral("Servidor de pedidos inacessível: o relatório %1 não foi emitido.\n%2")
                        .arg(relatorio, e.text()));
    }
}

} // namespace qor::reports
