#include "cash/export/SequencedFile.h"

#include "data/base/Error.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace qor::cash {

// The number a file name carries, or 0 when it is not prefix + n + extension
// written plainly (no sign, no leading zero).
static int sequenceOf(QStringView name, QStringView prefix, QStringView extension)
{
    if (name.size() <= prefix.size() + extension.size())
        return 0;
    if (!name.endsWith(extension, Qt::CaseInsensitive) || !name.startsWith(prefix, Qt::CaseInsensitive))
        return 0;
    const QStringView digits = name.mid(prefix.size(), name.size() - prefix.size() - extension.size());
    if (digits.front() == u'0' || digits.size() > 9)
        return 0;
    int n = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

int firstFreeSequence(const QString& folder, const QString& prefix, const QString& extension)
{
    // Every entry counts, a sub-folder too: its name can't be created either.
    std::vector<int> taken;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        if (const int n = sequenceOf(it.fileName(), prefix, extension))
            taken.push_back(n);
    }
    std::sort(taken.begin(), taken.end());
    int n = 1;
    for (const int t : taken) {
        if (t > n)
            break;
        if (t == n)
            ++n;
    }
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
