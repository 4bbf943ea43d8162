#include "reports/commands/ExecutaRelatorioDeSessao.h"

#include "data/local/Table.h"
#include "reports/commands/PreparaRelatorios.h"
#include "reports/hook/ReportRunner.h"

#include <QScopeGuard>

namespace qor::reports {

void executaRelatorioDeSessao(
    RelatorioDeSessao relatorio, data::Table& SessaoCx, data::Table& CaixaCor, orderdb::TDM& DM, ReportRunner& RM)
{
    if (!SessaoCx.active() || SessaoCx.isEmpty())
        return;
    const int sessao = SessaoCx.asInteger(QStringLiteral("NumSessao"));
    const QString numero = QString::number(sessao);
    const ComandoDeSessao& comando = comandoDeSessao(relatorio);

    {
        // The pointer table is not left open when a query fails.
        const auto fechaPonteiro = qScopeGuard([&] {
            if (comando.gravaPonteiro)
                CaixaCor.close();
        });
        if (comando.gravaPonteiro) {
            CaixaCor.open();
            CaixaCor.edit(); // starts a row when the table has none
            CaixaCor.setValue(QStringLiteral("SessaoCorrente"), sessao);
            CaixaCor.post();
            if (comando.fechaPonteiroJa)
                CaixaCor.close();
        }
        preparaRelatorioDeSessao(DM, relatorio, numero);
    }

    RM.executa(comando.nome);
}

} // namespace qor::reports
