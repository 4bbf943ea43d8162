#include "cash/export/SequencedFile.h"

#include "data/base/CrashPoint.h"
#include "data/base/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <dirent.h>
#else
#define NOMINMAX // keeps std::min and std::max usable below
#include <windows.h>
#endif

namespace qor::cash {

static bool sameAscii(const char* a, const char* b, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] + 32) : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] + 32) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

// The number a file name carries, or 0 when it is not prefix + n + extension
// written plainly (no sign, no leading zero), letters compared without regard
// to case. Our names are ASCII, so a name is looked at as bytes; any other
// byte simply fails to match.
static int sequenceOf(QLatin1String name, QLatin1String prefix, QLatin1String extension)
{
    const qsizetype digits = name.size() - prefix.size() - extension.size();
    if (digits <= 0 || digits > 9)
        return 0;
    const char* p = name.data();
    if (!sameAscii(p, prefix.data(), prefix.size())
        || !sameAscii(p + prefix.size() + digits, extension.data(), extension.size()))
        return 0;
    p += prefix.size();
    if (*p == '0')
        return 0;
    int n = 0;
    for (qsizetype i = 0; i < digits; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return 0;
        n = n * 10 + (p[i] - '0');
    }
    return n;
}

// Every entry name of a folder, a sub-folder's too: its name can't be
// created either. On POSIX systems straight from readdir(), which is several
// times cheaper than building a file-info object per entry; folders with
// thousands of files are the rule here.
template<typename Visit>
static void forEachName(const QString& folder, Visit visit)
{
#ifdef Q_OS_UNIX
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir))
        visit(QLatin1String(entry->d_name));
    closedir(dir);
#else
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QByteArray name = it.fileName().toLatin1();
        visit(QLatin1String(name));
    }
#endif
}

int firstFreeSequence(const QString& folder, const QString& prefix, const QString& extension)
{
    const QByteArray prefixBytes = prefix.toLatin1();
    const QByteArray extensionBytes = extension.toLatin1();
    std::vector<int> taken;
    forEachName(folder, [&](QLatin1String name) {
        if (const int n = sequenceOf(name, QLatin1String(prefixBytes), QLatin1String(extensionBytes)))
            taken.push_back(n);
    });
    // The first free number is at most one past the count of numbered files.
    std::vector<bool> used(taken.size() + 2, false);
    for (const int t : taken)
        if (size_t(t) < used.size())
            used[size_t(t)] = true;
    int n = 1;
    while (used[size_t(n)])
        ++n;
    return n;
}

static QString nameFor(const QString& prefix, int n, const QString& extension)
{
    return prefix + QString::number(n) + extension;
}

// This machine's name as it goes into a temporary name: no dash (the
// separator), nothing a file name can't hold.
static QString thisHost()
{
    QString host = QSysInfo::machineHostName();
    for (QChar& c : host)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'.' && c != u'_')
            c = u'_';
    return host.isEmpty() ? QStringLiteral("_") : host;
}

QString temporaryName(const QString& prefix, qint64 pid, quint64 k)
{
    return QStringLiteral(".%1-%2-%3-%4.tmp").arg(prefix, thisHost()).arg(pid).arg(k);
}

static bool processAlive(qint64 pid)
{
#ifdef Q_OS_UNIX
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
#else
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool alive = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return alive;
#endif
}

// The folders are shared: other stations write their temporary files there
// too, and a process number means nothing on another machine. So only the
// files this machine wrote are judged, each by whether its writer is still
// running; a live writer is between its write and its rename. A number
// reused by a new process keeps a file until a later start-up: it is hidden
// and never read as an export.
QStringList removeAbandonedTemporaries(const QString& folder, const QString& prefix)
{
    const QString start = QLatin1Char('.') + prefix + QLatin1Char('-');
    const QString host = thisHost();
    QStringList abandoned;
    forEachName(folder, [&](QLatin1String entry) {
        const QString name = entry;
        if (!name.startsWith(start) || !name.endsWith(QLatin1String(".tmp")))
            return;
        const QStringList parts = name.mid(start.size()).chopped(4).split(QLatin1Char('-'));
        bool pidOk = false;
        const qint64 pid = parts.size() == 3 ? parts.at(1).toLongLong(&pidOk) : 0;
        if (pidOk && pid > 0 && parts.at(0).compare(host, Qt::CaseInsensitive) == 0 && !processAlive(pid))
            abandoned << QDir(folder).filePath(name);
    });
    QStringList removed;
    for (const QString& path : abandoned)
        if (QFile::remove(path))
            removed << path;
    return removed;
}

[[noreturn]] static void fail(const QString& folder, const QString& why)
{
    throw Error(kind::IoError,
                QStringLiteral("Não foi possível gravar na pasta %1: %2").arg(QDir::toNativeSeparators(folder), why));
}

// The file is written whole under a temporary name in the same folder,
// then renamed to its number: a reader (or a crash) never meets an empty or
// cut Quitacao<n>.xml. The rename never replaces a file: when another writer
// takes the number first, the next one is tried.
QString writeSequencedFile(const QString& folder, const QString& prefix, const QString& extension,
                           const QByteArray& bytes)
{
    if (!QFileInfo(folder).isDir())
        fail(folder, QStringLiteral("a pasta não existe"));
    const QDir dir(folder);
    static quint64 counter = 0;
    QFile temp(dir.filePath(temporaryName(prefix, QCoreApplication::applicationPid(), ++counter)));
    if (!temp.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        fail(folder, temp.errorString());
    if (temp.write(bytes) != bytes.size() || !temp.flush()) {
        const QString why = temp.errorString();
        temp.remove();
        fail(folder, why);
    }
    temp.close();
    crashPoint("export: file written under its temporary name");
    for (int n = firstFreeSequence(folder, prefix, extension);; ++n) {
        const QString name = dir.filePath(nameFor(prefix, n, extension));
        if (temp.rename(name)) {
            crashPoint("export: file renamed");
            return name;
        }
        if (!QFileInfo::exists(name)) {
            const QString why = temp.errorString();
            temp.remove();
            fail(folder, why);
        }
    }
}

} // namespace qor::cash
