#include "cash/save/RecuperacaoNaPartida.h"

#include "app/log/ActivityLog.h"
#include "app/state/MessageBoxes.h"
#include "cash/movement/MovimentoEmEntrada.h"
#include "cash/save/EscritaNoPedido.h"

namespace qor::cash {

void RecuperacaoNaPartida::naAtivacao() { linhas_ << descartaMovimentosInacabados(); }

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
