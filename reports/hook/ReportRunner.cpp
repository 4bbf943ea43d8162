#include "reports/hook/ReportRunner.h"

#include "data/base/Error.h"
#include "data/base/SuitePaths.h"

namespace qor::reports {

SemProjetoDeRelatorios::SemProjetoDeRelatorios()
    : qrySessaoCX_(QStringLiteral("QORFDADOS")), qryConferenciaCx_(QStringLiteral("QORFDADOS"))
{
    qrySessaoCX_.setObjectName(QStringLiteral("qrySessaoCX"));
}

QString SemProjetoDeRelatorios::arquivoDoProjeto() { return SuitePaths::map(QStringLiteral("C:\\QUELVORA\\rpt\\rptCaixa.rav")); }

void SemProjetoDeRelatorios::executa(const QString&)
{
    throw Error(kind::ReportProject, QStringLiteral("Projeto de relatórios não encontrado: ") + arquivoDoProjeto());
}

} // namespace qor::reports
