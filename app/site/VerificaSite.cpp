#include "app/site/VerificaSite.h"

#include "app/state/MessageBoxes.h"
#include "data/base/Error.h"
#include "data/base/SuitePaths.h"
#include "data/local/Catalog.h"
#include "data/local/Database.h"

#include <QFileInfo>

namespace qor::app {

QStringList faltasDoSite()
{
    QStringList faltas;
    QStringList vistas;
    for (const QString& home : data::Catalog::homes()) {
        const QString pasta = data::Database::folderOf(home);
        if (vistas.contains(pasta))
            continue;
        vistas << pasta;
        const QString arquivo = pasta + QLatin1Char('/') + QLatin1String(data::Database::FileName);
        if (!QFileInfo(pasta).isDir()) {
            faltas << QStringLiteral("a pasta %1").arg(pasta);
        } else if (!QFileInfo::exists(arquivo)) {
            faltas << QStringLiteral("o arquivo de dados %1").arg(arquivo);
        } else {
            // A missing table, or one the earlier version made, is named here
            // too, rather than by an error at each step that opens it.
            for (const data::TableDef& def : data::Catalog::tables()) {
                if (data::Database::folderOf(def.home) != pasta)
                    continue;
                try {
                    data::Database::forFolder(pasta)->checkTable(def);
                } catch (const Error& e) {
                    faltas << e.text();
                }
            }
        }
    }
    return faltas;
}

bool verificaSite(MessageBoxes& boxes)
{
    const QStringList faltas = faltasDoSite();
    if (faltas.isEmpty())
        return true;
    boxes.message(QStringLiteral("O local da farmácia em %1 não está configurado.\rFalta:\r  - %2\r\r"
                                 "Para configurá-lo, execute:\r  qor_caixa --configurar-site --servidor SERVIDOR "
                                 "--estacao CODIGO\r(SERVIDOR: o servidor do banco de pedidos; CODIGO: o código desta "
                                 "estação)")
                      .arg(SuitePaths::root(), faltas.join(QStringLiteral("\r  - "))));
    return false;
}

} // namespace qor::app
