#include "cash/export/SequencedFile.h"

#include "data/base/Error.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace qor::cash {

// The number a file name carries, or 0 when it is not prefix + n + extension
// written plainly (no sign, no leading zero).
static int sequenceOf(const QString& name, const QString& prefix, const QString& extension)
{
    if (name.size() <= prefix.size() + extension.size())
        return 0;
    if (!name.startsWith(prefix, Qt::CaseInsensitive) || !name.endsWith(extension, Qt::CaseInsensitive))
        return 0;
    const QStringView digits = QStringView(name).mid(prefix.size(), name.size() - prefix.size() - extension.size());
    if (digits.front() == u'0')
        return 0;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9')
            return 0;
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok ? n : 0;
}

int firstFreeSequence(const QString& folder, const QString& prefix, const QString& extension)
{
    std::vector<bool> taken;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const int n = sequenceOf(it.fileName(), prefix, extension);
        if (n <= 0)
            continue;
        if (size_t(n) >= taken.size())
            taken.resize(size_t(n) + 1, false);
        taken[size_t(n)] = true;
    }
    int n = 1;
    while (size_t(n) < taken.size() && taken[size_t(n)])
        ++n;
    return n;
}

static QString nameFor(const QString& prefix, int n, const QString& extension)
{
    return prefix + QString::number(n) + extension;
}

[[noreturn]] static void fail(const QString& folder, const QString& why)
{
    throw Error(kind::IoError,
                QStringLiteral("Não foi possível gravar na pasta %1: %2").arg(QDir::toNativeSeparators(folder), why));
}

QString writeSequencedFile(const QString& folder, const QString& prefix, const QString& extension,
                           const QByteArray& bytes)
{
    if (!QFileInfo(folder).isDir())
        fail(folder, QStringLiteral("a pasta não existe"));
    const QDir dir(folder);
    for (int n = firstFreeSequence(folder, prefix, extension);; ++n) {
        QFile file(dir.filePath(nameFor(prefix, n, extension)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists())
                continue; // taken meanwhile
            fail(folder, file.errorString());
        }
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            const QString why = file.errorString();
            file.remove();
            fail(folder, why);
        }
        file.close();
        if (file.error() != QFileDevice::NoError) {
            const QString why = file.errorString();
            file.remove();
            fail(folder, why);
        }
        return file.fileName();
    }
}

} // namespace qor::cash
