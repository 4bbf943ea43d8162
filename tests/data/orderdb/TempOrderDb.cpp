#include "tests/data/orderdb/TempOrderDb.h"

#include "data/orderdb/ClientLibrary.h"
#include "data/orderdb/SQLConnection.h"
#include "data/orderdb/ServerChoice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <stdexcept>

#ifndef Q_OS_WIN
#include <dlfcn.h>
#include <link.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace qor::test {

namespace {

void run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error((program + " failed: ").toStdString() + process.readAll().toStdString());
}

void serverScript(const QString& action)
{
    run(QStringLiteral("bash"), {QStringLiteral(QOR_SOURCE_DIR "/scripts/firebird-server.sh"), action});
}

// Made once per test process by create.sh, then copied for each test.
// Writes to it are not forced to disk: tests need no crash safety, and
// every synced page costs.
const QString& templateDatabase()
{
    static std::unique_ptr<QTemporaryDir> dir;
    static QString path;
    if (path.isEmpty()) {
        dir = std::make_unique<QTemporaryDir>();
        const QString file = dir->filePath(QStringLiteral("template.bd"));
        run(QStringLiteral("bash"), {QStringLiteral(QOR_SOURCE_DIR "/scripts/orderdb/create.sh"), file});
        run(QStringLiteral("gfix"), {QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-write"),
                                     QStringLiteral("async"), file});
        path = file;
    }
    return path;
}

// The server runs as its own user: the file must be its and every folder
// above it must let it through.
void handToServer(const QString& file)
{
#ifndef Q_OS_WIN
    if (const passwd* firebird = getpwnam("firebird"))
        if (chown(QFile::encodeName(file).constData(), firebird->pw_uid, firebird->pw_gid) != 0)
            throw std::runtime_error("cannot hand " + file.toStdString() + " to the server's user");
#endif
    for (QDir dir = QFileInfo(file).absoluteDir(); !dir.isRoot(); dir.cdUp()) {
        QFile folder(dir.absolutePath());
        folder.setPermissions(folder.permissions() | QFileDevice::ExeOther | QFileDevice::ExeGroup);
    }
}

} // namespace

TempOrderDb::TempOrderDb() : TempOrderDb(orderdb::ServerChoice::databasePath()) {}

TempOrderDb::TempOrderDb(QString path) : path_(std::move(path))
{
    QDir().mkpath(QFileInfo(path_).path());
    if (!QFile::copy(templateDatabase(), path_))
        throw std::runtime_error("cannot create " + path_.toStdString());
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                     | QFileDevice::WriteGroup);
    if (serverMode())
        handToServer(path_);
}

QString TempOrderDb::database() const
{
    return serverMode() ? serverHost() + QLatin1Char(':') + path_ : path_;
}

void TempOrderDb::connect(orderdb::SQLConnection& connection) const
{
    connection.setParam(QStringLiteral("Database"), database());
    connection.open();
}

void TempOrderDb::restartServer() { serverScript(QStringLiteral("restart")); }
void TempOrderDb::stopServer() { serverScript(QStringLiteral("stop")); }
void TempOrderDb::startServer() { serverScript(QStringLiteral("start")); }

namespace {

void thaw()
{
    try {
        serverScript(QStringLiteral("thaw"));
    } catch (const std::exception& e) {
        qWarning("the order server may still be frozen: %s", e.what());
    }
}

} // namespace

TempOrderDb::FrozenServer::FrozenServer()
{
    serverScript(QStringLiteral("freeze"));
    lastResort_ = std::thread([this] {
        std::unique_lock lock(mutex_);
        if (!ended_.wait_for(lock, std::chrono::minutes(1), [this] { return ending_; })) {
            qWarning("the order server was frozen for a minute: thawed");
            thaw();
        }
    });
}

TempOrderDb::FrozenServer::~FrozenServer()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    ended_.notify_one();
    lastResort_.join();
    thaw();
}

QString TempOrderDb::serverHost() { return qEnvironmentVariable("QOR_FB_SERVER"); }

QString TempOrderDb::systemClientLibrary()
{
#ifdef Q_OS_WIN
    return {};
#else
    // Where the system's search finds it (the library stays loaded anyway).
    void* handle = dlopen(orderdb::ClientLibrary::defaultPath().toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    link_map* map = nullptr;
    if (!handle || dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map)
        throw std::runtime_error("the system's client library is not installed");
    return QFileInfo(QFile::decodeName(map->l_name)).canonicalFilePath();
#endif
}

} // namespace qor::test
