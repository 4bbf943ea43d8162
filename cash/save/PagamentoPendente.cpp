#include "cash/save/PagamentoPendente.h"

#include "data/local/Query.h"
#include "data/local/Table.h"

#include <QtMath>

namespace qor::cash {

namespace {

const QString kDados = QStringLiteral("QORFDADOS");
const QString kTabela = QStringLiteral("PagamentoPendente");

template <typename T>
QVariant ouNulo(const T& v)
{
    return v.isValid() ? QVariant(v) : QVariant();
}

qint64 centavos(double v) { return qRound64(v * 100.0); }

void executa(const QString& sql, qint64 linha, const QString& falha = {})
{
    data::Query q(kDados);
    q.setSql(sql);
    q.bindValue(QStringLiteral("linha"), linha);
    if (!falha.isNull())
        q.bindValue(QStringLiteral("falha"), falha.left(250));
    q.execSql();
}

} // namespace

bool EstadoDoPedido::operator==(const EstadoDoPedido& o) const
{
    return existe == o.existe && centavos(sinal) == centavos(o.sinal)
        && centavos(valorRestante) == centavos(o.valorRestante) && dataPagamento == o.dataPagamento
        && formaPagamento.trimmed() == o.formaPagamento.trimmed();
}

QString PagamentoPendente::tipo() const
{
    return sinal ? QStringLiteral("Sinal") : QStringLiteral("Quitação");
}

namespace pendentes {

qint64 registra(const PagamentoPendente& p)
{
    data::Table t(kDados, kTabela);
    t.open();
    t.append();
    t.setValue(QStringLiteral("Estacao"), p.estacao);
    t.setValue(QStringLiteral("NPedido"), p.npedido);
    t.setValue(QStringLiteral("SinalQuitacao"), p.sinal ? QStringLiteral("S") : QStringLiteral("Q"));
    t.setValue(QStringLiteral("Valor"), p.valor);
    t.setValue(QStringLiteral("DataMov"), ouNulo(p.dataMov));
    t.setValue(QStringLiteral("HoraMov"), ouNulo(p.horaMov));
    t.setValue(QStringLiteral("FormaPag"), p.formaPag);
    t.setValue(QStringLiteral("PedidoExistia"), p.antes.existe ? QStringLiteral("S") : QStringLiteral("N"));
    if (p.antes.existe) {
        t.setValue(QStringLiteral("SinalAntes"), p.antes.sinal);
        t.setValue(QStringLiteral("ValorRestanteAntes"), p.antes.valorRestante);
        t.setValue(QStringLiteral("DataPagamentoAntes"), ouNulo(p.antes.dataPagamento));
        t.setValue(QStringLiteral("FormaPagamentoAntes"), p.antes.formaPagamento);
    }
    t.setValue(QStringLiteral("UltimaFalha"), p.ultimaFalha.left(250));
    t.post();
    const qint64 linha = t.bookmark().toLongLong();
    t.close();
    return linha;
}

void conclui(qint64 linha) { executa(QStringLiteral("delete from PagamentoPendente where rowid = :linha"), linha); }

void anotaFalha(qint64 linha, const QString& falha)
{
    executa(QStringLiteral("update PagamentoPendente set UltimaFalha = :falha where rowid = :linha"), linha,
            falha.isNull() ? QStringLiteral("") : falha);
}

QList<PagamentoPendente> lista()
{
    QList<PagamentoPendente> out;
    data::Table t(kDados, kTabela);
    t.open();
    for (t.first(); !t.eof(); t.next()) {
        PagamentoPendente p;
        p.linha = t.bookmark().toLongLong();
        p.estacao = t.asString(QStringLiteral("Estacao"));
        p.npedido = t.asString(QStringLiteral("NPedido"));
        p.sinal = t.asString(QStringLiteral("SinalQuitacao")) == QLatin1String("S");
        p.valor = t.asFloat(QStringLiteral("Valor"));
        p.dataMov = t.asDate(QStringLiteral("DataMov"));
        p.horaMov = t.asTime(QStringLiteral("HoraMov"));
        p.formaPag = t.asString(QStringLiteral("FormaPag"));
        p.antes.existe = t.asString(QStringLiteral("PedidoExistia")) == QLatin1String("S");
        p.antes.sinal = t.asFloat(QStringLiteral("SinalAntes"));
        p.antes.valorRestante = t.asFloat(QStringLiteral("ValorRestanteAntes"));
        p.antes.dataPagamento = t.asDate(QStringLiteral("DataPagamentoAntes"));
        p.antes.formaPagamento = t.asString(QStringLiteral("FormaPagamentoAntes"));
        p.ultimaFalha = t.asString(QStringLiteral("UltimaFalha"));
        out << p;
    }
    t.close();
    return out;
}

} // namespace pendentes

} // namespace qor::cash
