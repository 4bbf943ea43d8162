#include "cash/movement/CriaMovimento.h"

#include "cash/movement/MovimentoEmEntrada.h"
#include "data/local/CashTables.h"
#include "data/local/Transaction.h"

namespace qor::cash {

void criaMovimento(data::CashTables& t, TipoMovimento tipo, const QDateTime& inicio, const QString& lojaPadrao)
{
    const bool venda = tipo == TipoMovimento::Venda;
    t.SessaoCx.open();
    t.SessaoCx.last();
    if (venda)
        t.Quitacao.open();
    t.MovCaixa.open();
    t.MovCaixa.append();
    NovoMovimento novo;
    novo.tipo = tipo;
    novo.numSessao = t.SessaoCx.isEmpty() ? QVariant() : t.SessaoCx.value(QStringLiteral("NumSessao"));
    novo.inicio = inicio;
    novo.lojaPadrao = lojaPadrao;
    if (!venda)
        novo.numero = numeroDoMovimento(tipo, t.CTCaixa.asInteger(campoDoContador(tipo)));
    preencheMovimento(t.MovCaixa, novo);
    try {
        // The row and its mark of a movement under entry, together.
        data::Transaction unidade(t.MovCaixa.location());
        t.MovCaixa.post();
        marcaEmEntrada(t.MovCaixa);
        unidade.commit();
    } catch (...) {
        // Nothing was stored: the row is dropped and the tables closed.
        t.MovCaixa.cancel();
        t.MovCaixa.close();
        t.Quitacao.close();
        t.SessaoCx.close();
        t.CTCaixa.close();
        throw;
    }
    t.MovCaixa.edit();
    if (!venda) {
        avancaContador(t.CTCaixa, tipo);
        t.CTCaixa.close();
    }
}

} // namespace qor::cash
