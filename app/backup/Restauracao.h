#pragma once

#include <QList>
#include <QString>

namespace qor::backup {

struct ArquivoRestaurado {
    QString relativo;
    QString caminho;       // where it goes in the suite
    bool substitui = false; // a file is there now and gets replaced
};

// Restores a backup made by fazCopiaDeSeguranca into the suite: checks every
// copy first, then takes each file of the suite it replaces for itself
// alone and refuses, changing nothing, while any program (a till) has one
// open. With `confirmado` false it stops there and only tells what it would
// do. Each file is replaced page by page through SQLite's online backup, so
// its other connections' files (-wal, -shm) stay consistent. Raises
// qor::Error: not a backup, a damaged copy, a file in use.
QList<ArquivoRestaurado> restauraCopia(const QString& pastaDaCopia, bool confirmado);

} // namespace qor::backup
