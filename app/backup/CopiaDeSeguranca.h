#pragma once

#include "app/backup/ArquivosDeDados.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace qor {
class Clock;
}

namespace qor::backup {

struct ArquivoCopiado {
    QString relativo;
    qint64 bytes = 0;
};

struct CopiaFeita {
    QString pasta;                   // destino/qor-caixa-aaaammdd-hhmmss
    QList<ArquivoCopiado> arquivos;  // each checked with integrity_check
    QStringList removidas;           // older backups removed to keep `manter`
};

constexpr int CopiasMantidasPadrao = 30;

// Copies every data file of the suite into destino/qor-caixa-<yyyymmdd-hhmmss>/
// (the folder structure of the suite kept below it) while tills may be
// writing, checks each copy, then removes the oldest backups of destino
// beyond the last `manter`. The copy is made in a hidden folder and renamed
// only when complete, so a failed run leaves no backup that looks whole.
// Raises qor::Error: no data file, a file that can't be read or copied, a
// copy that fails its check.
CopiaFeita fazCopiaDeSeguranca(const QString& destino, int manter, const Clock& relogio);

// The backups of a folder, oldest first (names qor-caixa-<stamp>[-n]).
QStringList copiasEm(const QString& destino);

} // namespace qor::backup
