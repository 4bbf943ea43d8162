#include "data/local/CashTables.h"

namespace qor::data {

CashTables::CashTables(QObject* parent) : QObject(parent)
{
    const auto name = [](QObject& o, const char* n) { o.setObjectName(QString::fromLatin1(n)); };
    name(SessaoCx, "SessaoCx");
    name(MovCaixa, "MovCaixa");
    name(CaixaCor, "CaixaCor");
    name(CTCaixa, "CTCaixa");
    name(Quitacao, "Quitacao");
    name(Periodo, "Periodo");
    name(TabCaixa, "TabCaixa");
    name(FormaPag, "FormaPag");
    name(FormasPG, "FormasPG");
    name(TabLab, "TabLab");
    name(tudcaixa, "tudcaixa");
    name(Destinos, "Destinos");
    name(TabelaDB, "TabelaDB");
    name(Limite, "Limite");
    name(Parlocal, "Parlocal");
    name(Parsist, "Parsist");
    name(Estacoes, "Estacoes");
    name(Usuarios, "Usuarios");
    name(ListMovC, "ListMovC");
    name(Query1, "Query1");
    name(qry_Utilitarios, "qry_Utilitarios");
}

} // namespace qor::data
