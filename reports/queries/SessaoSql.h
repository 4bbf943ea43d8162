#pragma once

#include <QList>
#include <QString>

namespace qor::reports {

// The reports about one cash session.
enum class RelatorioDeSessao {
    Resumo, // btn5 "Resumo"
    ResumoFP, // btn14 "Resumo por Forma de Pagamento"
    DetalhadoComValorOriginal, // btn7, the session's sales only
    DetalhadoSemValorOriginal, // btn6, every movement of the session
    Parcial, // "Parcial do Caixa": the open session's totals, not closed
};

struct ComandoDeSessao {
    RelatorioDeSessao relatorio;
    QString nome; // the named report
    bool gravaPonteiro; // records the session in CaixaCor.SessaoCorrente
    bool fechaPonteiroJa; // closes CaixaCor right after the write, before the queries
};

const QList<ComandoDeSessao>& comandosDeSessao();
const ComandoDeSessao& comandoDeSessao(RelatorioDeSessao relatorio);
const ComandoDeSessao* comandoDoRelatorioDeSessao(const QString& nome); // nullptr when not a session report

// The one-line SQL texts; `numero` is the session number as decimal digits,
// written between quotes.
QString sqlSessaoCX(const QString& numero);
QString sqlResumoFP(const QString& numero);
QString sqlConferenciaCx(const QString& numero); // the blind count, in the closing panel's order
QString sqlDetalhaMovCaixa(const QString& numero, bool soVendas);
QString sqlTotalizaDetalha(const QString& numero);

} // namespace qor::reports
