#include "app/site/ConfiguraDestinos.h"

#include "data/base/SuitePaths.h"
#include "data/base/Text.h"
#include "data/local/CashTables.h"

#include <QDir>

namespace qor::app {

namespace {

// Folder creation never reports: an existing folder is the usual case.
void createFolder(const QString& suitePath) { QDir().mkdir(SuitePaths::map(suitePath)); }

bool isServer(data::Table& parlocal)
{
    parlocal.open();
    parlocal.first();
    const QString role = parlocal.asString(QStringLiteral("Serv_Est")).left(20); // "" on an empty table
    parlocal.close();
    return text::upperAZ(role) == QLatin1String("SERVIDOR");
}

void ensurePrimaryIndex(data::Table& destinos)
{
    if (destinos.hasPrimaryIndex())
        return;
    destinos.setExclusive(true);
    destinos.setIndexName(QString());
    destinos.open();
    destinos.addIndex(QString(), {QStringLiteral("Estacao")}, true);
    destinos.close();
    destinos.setExclusive(false);
}

void rebuildDestinos(data::Table& destinos, data::Table& estacoes, AppState& state)
{
    ensurePrimaryIndex(destinos);
    for (QString& entry : state.ListaDestinos)
        entry.clear();
    destinos.emptyTable();

    destinos.open();
    estacoes.open();
    createFolder(QStringLiteral("C:\\Quelvora\\Envia"));

    state.QdeDestinos = 0;
    for (estacoes.first(); !estacoes.eof(); estacoes.next()) {
        destinos.append();
        destinos.setValue(QStringLiteral("Estacao"), estacoes.value(QStringLiteral("Estacao")));
        destinos.setValue(QStringLiteral("Tipo"), estacoes.value(QStringLiteral("Tipo")));
        destinos.setValue(QStringLiteral("IP"), QVariant());
        destinos.setValue(QStringLiteral("Porta"), QVariant());
        destinos.post();

        const QString estacao = destinos.asString(QStringLiteral("Estacao"));
        if (!SuitePaths::isSafeCode(estacao))
            continue;
        if (state.QdeDestinos < AppState::kMaxDestinos)
            state.ListaDestinos[state.QdeDestinos++] = estacao.left(2);
        createFolder(QStringLiteral("C:\\Quelvora\\Envia") + estacao);
        createFolder(QStringLiteral("C:\\Quelvora\\Recebe") + estacao);
    }
    estacoes.close();
    destinos.close();
}

} // namespace

void ConfiguraDestinos(data::CashTables& tables, AppState& state)
{
    state.ServidorLocal = isServer(tables.Parlocal);
    if (!state.ServidorLocal) {
        state.QdeDestinos = 1;
        state.ListaDestinos[0].clear();
        createFolder(QStringLiteral("C:\\Quelvora\\Envia"));
        return;
    }
    rebuildDestinos(tables.Destinos, tables.Estacoes, state);
}

} // namespace qor::app
