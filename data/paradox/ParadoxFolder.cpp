#include "data/paradox/ParadoxFolder.h"

#include "data/base/Error.h"

#include <QDir>
#include <QFileInfo>

namespace qor::paradox {

QString findFile(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    QString found;
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) != 0)
            continue;
        if (!found.isEmpty())
            throw Error(kind::IoError, QStringLiteral("Dois arquivos com o mesmo nome em %1: %2 e %3")
                                           .arg(QDir::toNativeSeparators(folder), QFileInfo(found).fileName(), entry));
        found = dir.filePath(entry);
    }
    return found;
}

} // namespace qor::paradox
