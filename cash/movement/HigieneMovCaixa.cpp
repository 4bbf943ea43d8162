#include "cash/movement/HigieneMovCaixa.h"

#include "data/local/Query.h"
#include "data/local/Table.h"

namespace qor::cash {

void ExpurgaMovimentosSemPedido(data::Query& Query1, data::Table& MovCaixa)
{
    Query1.close();
    Query1.setSql(kExcluiSemPedido);
    Query1.execSql();
    if (MovCaixa.active())
        return;
    MovCaixa.open();
    MovCaixa.refresh();
    MovCaixa.close();
}

void ExcluiMovimentosSemValor(data::Query& qry_Utilitarios)
{
    qry_Utilitarios.close();
    qry_Utilitarios.clearSql();
    qry_Utilitarios.addSql(kExcluiSemValor);
    qry_Utilitarios.execSql();
    qry_Utilitarios.close();
}

} // namespace qor::cash
