#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qor::cash {

// Files named prefix + n + extension in a folder ("Quitacao3.xml"), n the
// smallest number from 1 that no file of the folder carries yet.

// Reads the folder once; names are compared without regard to case, because
// the folders are shared with stations whose file names are case-blind.
int firstFreeSequence(const QString& folder, const QString& prefix, const QString& extension);

// Creates the file with the first free number holding bytes: written whole
// under a temporary name (".prefix-host-pid-k.tmp") in the folder, then renamed,
// so no file under a numbered name is ever empty or cut. A file is only ever
// created, never replaced: when another writer takes the number first, the
// next one is tried. Returns the path written. A failure (missing folder,
// full disk, no rights) raises an Error of kind IoError naming the folder;
// the temporary file is removed.
QString writeSequencedFile(const QString& folder, const QString& prefix, const QString& extension,
                           const QByteArray& bytes);

// The temporary name of writeSequencedFile()'s k-th file in process pid of
// this machine.
QString temporaryName(const QString& prefix, qint64 pid, quint64 k);

// Removes the temporary files of writeSequencedFile() that a process of
// this machine left in the folder when it died between write and rename.
// Returns the paths removed.
QStringList removeAbandonedTemporaries(const QString& folder, const QString& prefix);

} // namespace qor::cash
