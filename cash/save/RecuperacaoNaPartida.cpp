#include "cash/save/RecuperacaoNaPartida.h"

#include "app/log/ActivityLog.h"
#include "app/state/MessageBoxes.h"
#include "cash/export/ExportaXml.h"
#include "cash/movement/MovimentoEmEntrada.h"
#include "cash/save/EscritaNoPedido.h"

#include <QDir>

namespace qor::cash {

void RecuperacaoNaPartida::naAtivacao()
{
    linhas_ << descartaMovimentosInacabados();
    for (const QString& path : removeAbandonedExports(state_, QStringLiteral("Quitacao")))
        linhas_ << QStringLiteral("- Arquivo de exportação não concluído removido ao iniciar: ")
                       + QDir::toNativeSeparators(path);
}

int RecuperacaoNaPartida::aposIdentificacao()
{
    while (!linhas_.isEmpty())
        log_.GravaLog(linhas_.takeFirst());
    const int ficam = regravaPendentes(dm_, [this](const QString& linha) { log_.GravaLog(linha); });
    if (ficam > 0)
        boxes_.message(kMsgPendentes);
    return ficam;
}

} // namespace qor::cash
