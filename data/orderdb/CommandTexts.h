#pragma once

#include <QString>

namespace qor::orderdb {

// The 60 columns of PEDIDOS in select order. Every statement that replaces
// the PEDIDOS command selects exactly these, followed by its own WHERE
// clause with bound values, e.g.
//   "select " + PedidosColumnList + " from PEDIDOS where ESTACAO = ? and NPEDIDO = ?"
inline const QString PedidosColumnList = QStringLiteral(
    "ESTACAO, NPEDIDO, NOME, ENDER1, ENDER2, FONE, MEDICO, ESTACAOCLIENTE, CODIGOCLIENTE, DATAPEDIDO, HORAPEDIDO, "
    "RECEBIDOPOR, ENTREGUEPOR, DATAENTREGA, HORAENTREGA, TIPOPEDIDO, QDEFORMULAS, PRECOFINAL, PRECOTOTAL, "
    "USASUBSTCONTR, CUPOMFISCAL, JANOLIVRO, CRM, OBS1, OBS2, VETF, CONVENIO, DESCPERC, DESCONTO, SINAL, "
    "VALORRESTANTE, VENCIMENTO, PAGO, DATAPAGAMENTO, PRONTO, ENTREGUE, IMPORTADO, REFERENCIA, EMPRESA, MATRICULA, "
    "FORMAPAGAMENTO, CODENTREGA, SITENTREGA, CUSTO, VENDEDOR, CAIXA, CAIXAQ, LABORATORIO, ACRESCPERC, NPED, NCF, "
    "DATA_CONF_ENTREGA, TIPODOCUMENTO, NUMDOCUMENTO, ORGAOEXPEDIDOR, UFEMISSAODOCUMENTO, CONSELHOPROFISSIONAL, "
    "UFCONSELHO, PACIENTE, FONEPACIENTE");

// The 18 columns of ESTACOES in select order.
inline const QString EstacoesColumnList = QStringLiteral(
    "ESTACAO, DATBASNAM, TIPO, ATCAIXA, ESVAZIAR, EMUSO, CAMINHOREQUISICAO, CAMINHOOM, CAMINHOECF, "
    "CAMINHOSEQUENCIAL1, CAMINHO2, ROTULO1, ROTULO2, ROTULO3, ROTULO4, ROTULO5, ROTULO6, USUARIO");

// The command texts as the data module creates them.
inline const QString PedidosCommandText = QStringLiteral("select First 1 ") + PedidosColumnList
                                          + QStringLiteral(" from PEDIDOS");
inline const QString UsuariosCommandText = QStringLiteral(
    "select USUARIO, CODIGO, SENHA, ACESSO, ARQUIVO, LOGADO, ESTACAO, CONSIST_INICIAL, DEFVIDEOQOR from USUARIOS "
    "order by USUARIO");
inline const QString EstacoesCommandText = QStringLiteral("select ") + EstacoesColumnList
                                           + QStringLiteral(" from ESTACOES order by ESTACAO");

} // namespace qor::orderdb
