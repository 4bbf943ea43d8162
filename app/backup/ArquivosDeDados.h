#pragma once

#include <QList>
#include <QString>

namespace qor::backup {

// A data file of the suite ("qorcaixa.sqlite", one per folder) and the name
// it goes by inside a backup: its path relative to the suite root, or
// "_alias/<ALIAS>/qorcaixa.sqlite" for an alias folder configured outside it.
struct ArquivoDeDados {
    QString relativo;
    QString caminho;
};

// Every data file under the suite root (any depth, links not followed) and
// in the alias folders QORFDADOS and QUELVORA, sorted by relative name.
// Nothing under `fora` is taken (a backup folder kept inside the root).
QList<ArquivoDeDados> arquivosDaSuite(const QString& fora = QString());

// Every data file of a backup folder, named as arquivosDaSuite names them.
QList<ArquivoDeDados> arquivosDaCopia(const QString& pastaDaCopia);

// Where a file of a backup goes back to in the suite; "" for an alias
// this suite does not know.
QString caminhoNaSuite(const QString& relativo);

} // namespace qor::backup
