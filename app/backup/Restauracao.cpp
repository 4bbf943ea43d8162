#include "app/backup/Restauracao.h"

#include "app/backup/ArquivoSqlite.h"
#include "app/backup/ArquivosDeDados.h"
#include "data/base/Error.h"

#include <QDir>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace qor::backup {

QList<ArquivoRestaurado> restauraCopia(const QString& pastaDaCopia, bool confirmado)
{
    const QList<ArquivoDeDados> copias = arquivosDaCopia(pastaDaCopia);
    if (!QFileInfo(pastaDaCopia).isDir() || copias.isEmpty())
        throw Error(kind::FolderNotFound, QStringLiteral("%1 não é uma cópia de segurança do caixa").arg(pastaDaCopia));

    QList<ArquivoRestaurado> plano;
    for (const ArquivoDeDados& copia : copias) {
        ArquivoSqlite(copia.caminho, ArquivoSqlite::Abertura::Existente).confereIntegridade();
        const QString caminho = caminhoNaSuite(copia.relativo);
        if (caminho.isEmpty())
            throw Error(kind::FolderNotFound, QStringLiteral("Pasta desconhecida nesta suíte: ") + copia.relativo);
        plano.append({copia.relativo, caminho, QFileInfo::exists(caminho)});
    }

    // Every file in use is refused before the first one is replaced.
    std::vector<std::unique_ptr<ArquivoSqlite>> destinos;
    for (const ArquivoRestaurado& item : plano) {
        if (!item.substitui) {
            destinos.emplace_back();
            continue;
        }
        destinos.push_back(std::make_unique<ArquivoSqlite>(item.caminho, ArquivoSqlite::Abertura::Existente));
        destinos.back()->tomaSoParaSi();
    }
    if (!confirmado)
        return plano;

    for (qsizetype i = 0; i < plano.size(); ++i) {
        auto& destino = destinos.at(size_t(i));
        if (!destino) {
            const QString pasta = QFileInfo(plano.at(i).caminho).path();
            if (!QDir().mkpath(pasta))
                throw Error(kind::IoError, QStringLiteral("Não foi possível criar a pasta ") + pasta);
            destino = std::make_unique<ArquivoSqlite>(plano.at(i).caminho, ArquivoSqlite::Abertura::Nova);
        }
        destino->copiaDe(ArquivoSqlite(copias.at(i).caminho, ArquivoSqlite::Abertura::Existente));
        destino->confereIntegridade();
    }
    return plano;
}

} // namespace qor::backup
