#include "reports/project/ReportProjectInstall.h"

#include "data/base/Error.h"
#include "data/base/SuitePaths.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace qor::reports {

QByteArray builtInReportProject()
{
    QFile file(QStringLiteral(":/qor/reports/rptCaixa.rav"));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(kind::IoError, QStringLiteral("Projeto de relatórios ausente do programa"));
    return file.readAll();
}

QString installReportProject(const QString& destDir)
{
    const QString path = QDir(destDir).filePath(QStringLiteral("rptCaixa.rav"));
    QSaveFile file(path);
    if (!QDir().mkpath(destDir) || !file.open(QIODevice::WriteOnly) || file.write(builtInReportProject()) < 0
        || !file.commit())
        throw Error(kind::IoError, QStringLiteral("Não foi possível gravar o arquivo ") + path);
    return path;
}

QString installReportProject() { return installReportProject(SuitePaths::map(QStringLiteral("C:\\QUELVORA\\rpt"))); }

} // namespace qor::reports
