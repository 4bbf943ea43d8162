#include "tests/support/TempSuite.h"

#include "data/local/Database.h"
#include "data/local/SetUpTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qor::test {

TempSuite::TempSuite(Site site)
{
    hadPreviousRoot_ = qEnvironmentVariableIsSet("QUELVORA_ROOT");
    previousRoot_ = qgetenv("QUELVORA_ROOT");
    qputenv("QUELVORA_ROOT", dir_.path().toLocal8Bit());
    if (site == Site::SetUp) {
        data::setUpTables();
        // The set-up's connections are not the test's: a test may replace a file.
        data::Database::releaseIdle();
    }
}

TempSuite::~TempSuite()
{
    if (hadPreviousRoot_)
        qputenv("QUELVORA_ROOT", previousRoot_);
    else
        qunsetenv("QUELVORA_ROOT");
}

void TempSuite::writeFile(const QString& relative, const QByteArray& bytes) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray TempSuite::readFile(const QString& relative) const
{
    QFile f(path(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace qor::test
