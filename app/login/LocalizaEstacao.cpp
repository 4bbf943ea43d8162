#include "app/login/LocalizaEstacao.h"

#include "data/base/Text.h"
#include "data/orderdb/CommandTexts.h"
#include "data/orderdb/TDM.h"

namespace qor::app {

namespace {

const QString kCR = QStringLiteral("\r");
const QString kQuote = QStringLiteral("\"");

QString legendaDoOperador(const QString& nome, const QString& codigo)
{
    return QStringLiteral("  CAD. DE VEÍCULOS / BASES  -  Usuário: ") + kQuote + nome + kQuote
           + QStringLiteral("   Estação: ") + codigo;
}

} // namespace

QString mensagemSemEstacao(const QString& nome)
{
    return QStringLiteral("Não foi possível selecionar uma área de trabalho para o usuário ") + kQuote + nome + kQuote
           + QStringLiteral(". ") + kCR + kCR + QStringLiteral("Causas prováveis: ") + kCR + kCR
           + QStringLiteral("  1) Na tabela ") + kQuote + QStringLiteral("Estacoes.db") + kQuote
           + QStringLiteral(" não foi incluída uma estação para o usuário ") + kQuote + nome + kQuote
           + QStringLiteral(".") + kCR
           + QStringLiteral("     Obs: Criar também a área de trabalho física (pasta C:\\Quelvora\\InterfacXX) para "
                            "este usuário.")
           + kCR + QStringLiteral("  --> Favor contactar o suporte técnico da QOR SISTEMAS <--");
}

EstacaoDoOperador LocalizaEstacao(orderdb::TDM& dm, AppState& state, const Clock& clock)
{
    state.CodigoEstacao.clear();
    const QString nome = state.NomeOperador();
    const QString nomeMaiusculo = text::upperAZ(nome);

    orderdb::CachedRowSet& estacoes = dm.Estacoes;
    estacoes.close();
    dm.SQLDS_Estacoes.setCommandText(QStringLiteral("select ") + orderdb::EstacoesColumnList
                                     + QStringLiteral(" from ESTACOES where upper(USUARIO) = :USUARIO"));
    dm.SQLDS_Estacoes.bindValue(QStringLiteral("USUARIO"), nomeMaiusculo);
    estacoes.open();

    estacoes.first();
    const QString dono = estacoes.recordCount() == 0 ? QString() : estacoes.asString(QStringLiteral("USUARIO"));
    EstacaoDoOperador found;
    if (text::upperAZ(dono) != nomeMaiusculo) {
        found.mensagem = mensagemSemEstacao(nome);
    } else {
        state.CodigoEstacao = estacoes.asString(QStringLiteral("ESTACAO")).left(2);
        found.datbasnam = estacoes.asString(QStringLiteral("DATBASNAM"));
        found.legenda = legendaDoOperador(nome, state.CodigoEstacao);
        const QDateTime now = clock.now();
        estacoes.edit();
        estacoes.setValue(QStringLiteral("EMUSO"), QStringLiteral("S"));
        estacoes.setValue(QStringLiteral("ATCAIXA"),
            QStringLiteral("Ultima atividade: ") + now.toString(QStringLiteral("dd/MM/yy hh:mm:ss")));
        estacoes.post();
    }
    estacoes.close();
    return found;
}

} // namespace qor::app
