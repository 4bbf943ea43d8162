#include "data/orderdb/ClientLibrary.h"

#include "data/base/Error.h"
#include "data/base/SuitePaths.h"
#include "data/base/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace qor::orderdb {

namespace {

using GetMaster = Firebird::IMaster* (*)();

[[noreturn]] void loadFailed(const QString& path, const QString& why)
{
    throw Error(kind::ClientLibrary,
                QStringLiteral("Não foi possível carregar a biblioteca cliente do banco de dados \"%1\": %2")
                    .arg(path, why));
}

GetMaster resolve(const QString& path)
{
#ifdef Q_OS_WIN
    HMODULE module = LoadLibraryW(reinterpret_cast<LPCWSTR>(path.utf16()));
    if (!module)
        loadFailed(path, QStringLiteral("erro %1").arg(GetLastError()));
    auto entry = reinterpret_cast<GetMaster>(GetProcAddress(module, "fb_get_master_interface"));
#else
    void* module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        loadFailed(path, QString::fromLocal8Bit(dlerror()));
    auto entry = reinterpret_cast<GetMaster>(dlsym(module, "fb_get_master_interface"));
#endif
    if (!entry)
        loadFailed(path, QStringLiteral("a biblioteca não oferece fb_get_master_interface"));
    return entry;
}

} // namespace

QString ClientLibrary::defaultPath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("gds32.dll");
#else
    return QStringLiteral("libfbclient.so.2");
#endif
}

QString ClientLibrary::fileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("GDS32.DLL");
#else
    return QStringLiteral("libfbclient.so.2");
#endif
}

QString ClientLibrary::inFolder(const QString& folder)
{
#ifdef Q_OS_WIN
    const bool hasSeparator = folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/'));
    const QChar separator = QLatin1Char('\\');
#else
    const bool hasSeparator = folder.endsWith(QLatin1Char('/'));
    const QChar separator = QLatin1Char('/');
#endif
    return hasSeparator ? folder + fileName() : folder + separator + fileName();
}

QString ClientLibrary::fromSuiteFile()
{
    const QString file = SuitePaths::map(QStringLiteral("c:\\quelvora\\CaminhoGDS.txt"));
    if (!QFileInfo::exists(file))
        return defaultPath();
    const QStringList lines = text::readLines(file);
    const QString folder = lines.isEmpty() ? QString() : lines.first().left(100);
    return folder.isEmpty() ? defaultPath() : inFolder(folder);
}

Firebird::IMaster* ClientLibrary::master(const QString& path)
{
    // One user-interface thread loads libraries; no lock needed.
    static QHash<QString, GetMaster> loaded;
    auto it = loaded.find(path);
    if (it == loaded.end())
        it = loaded.insert(path, resolve(path));
    return (*it)();
}

} // namespace qor::orderdb
