#include "tests/data/orderdb/TempOrderDb.h"

#include "data/orderdb/SQLConnection.h"
#include "data/orderdb/ServerChoice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <stdexcept>

namespace qor::test {

namespace {

// The server runs as its own user: every folder above the file must let it through.
void makeReachable(const QString& file)
{
    for (QDir dir = QFileInfo(file).absoluteDir(); !dir.isRoot(); dir.cdUp()) {
        QFile folder(dir.absolutePath());
        folder.setPermissions(folder.permissions() | QFileDevice::ExeOther | QFileDevice::ExeGroup);
    }
}

} // namespace

TempOrderDb::TempOrderDb() : TempOrderDb(orderdb::ServerChoice::databasePath()) {}

TempOrderDb::TempOrderDb(QString path) : path_(std::move(path))
{
    QProcess create;
    create.setProcessChannelMode(QProcess::MergedChannels);
    create.start(QStringLiteral("bash"), {QStringLiteral(QOR_SOURCE_DIR "/scripts/orderdb/create.sh"), path_});
    if (!create.waitForFinished(60000) || create.exitStatus() != QProcess::NormalExit || create.exitCode() != 0)
        throw std::runtime_error("create.sh failed: " + create.readAll().toStdString());
    if (serverMode())
        makeReachable(path_);
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

QString TempOrderDb::serverHost() { return qEnvironmentVariable("QOR_FB_SERVER"); }

} // namespace qor::test
