#include "data/orderdb/TDM.h"

#include "data/orderdb/CommandTexts.h"

namespace qor::orderdb {

TDM::TDM(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM"));
    const auto name = [](QObject& object, const char* n) { object.setObjectName(QString::fromLatin1(n)); };
    name(SQLDS_Pedidos, "SQLDS_Pedidos");
    name(DSetP_Pedidos, "DSetP_Pedidos");
    name(PEDIDOS, "PEDIDOS");
    name(SQLDS_Usuarios, "SQLDS_Usuarios");
    name(DSP_Usuarios, "DSP_Usuarios");
    name(Usuarios, "Usuarios");
    name(SQLDS_Estacoes, "SQLDS_Estacoes");
    name(DSP_Estacoes, "DSP_Estacoes");
    name(Estacoes, "Estacoes");
    name(Servidor, "Servidor");
    SQLDS_Pedidos.setCommandText(PedidosCommandText);
    SQLDS_Usuarios.setCommandText(UsuariosCommandText);
    SQLDS_Estacoes.setCommandText(EstacoesCommandText);
    setUpReportQueries();
}

} // namespace qor::orderdb
