#include "cash/movement/MovimentoEmEntrada.h"

#include "data/base/CrashPoint.h"
#include "data/base/Error.h"
#include "data/base/Text.h"
#include "data/local/Query.h"
#include "data/local/Table.h"
#include "data/local/Transaction.h"

namespace qor::cash {

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

qint64 linhaAtual(const data::Table& MovCaixa)
{
    bool ok = false;
    const qint64 linha = MovCaixa.bookmark().toLongLong(&ok);
    if (!ok)
        throw Error(kind::InvalidValue, QStringLiteral("O movimento de caixa em edição ainda não foi gravado"));
    return linha;
}

void executa(const QString& sql, qint64 linha)
{
    data::Query q(kDados);
    q.setSql(sql);
    q.bindValue(QStringLiteral("linha"), linha);
    q.execSql();
}

QString descricao(data::Query& mov)
{
    return QStringLiteral("- Movimento de caixa não concluído removido ao iniciar: ") + mov.asString(QStringLiteral("TipoMov"))
        + QStringLiteral("  Pedido ") + mov.asString(QStringLiteral("NPedido")) + QStringLiteral("  ")
        + mov.asString(QStringLiteral("SinalQuitacao")) + QStringLiteral("    Valor: R$ ")
        + text::formatAmount(mov.asFloat(QStringLiteral("Valor"))) + QStringLiteral(" (")
        + mov.asDate(QStringLiteral("DataMov")).toString(QStringLiteral("dd/MM/yy")) + QLatin1Char(' ')
        + mov.asTime(QStringLiteral("HoraMov")).toString(QStringLiteral("hh:mm")) + QLatin1Char(')');
}

} // namespace

void marcaEmEntrada(const data::Table& MovCaixa)
{
    executa(QStringLiteral("insert into MovEmEntrada (Linha) values (:linha)"), linhaAtual(MovCaixa));
}

void desmarcaEmEntrada(const data::Table& MovCaixa)
{
    executa(QStringLiteral("delete from MovEmEntrada where Linha = :linha"), linhaAtual(MovCaixa));
}

QStringList descartaMovimentosInacabados()
{
    QList<qint64> linhas;
    {
        data::Query marcas(kDados);
        marcas.setSql(QStringLiteral("select distinct Linha from MovEmEntrada"));
        marcas.open();
        for (marcas.first(); !marcas.eof(); marcas.next())
            linhas << marcas.value(QStringLiteral("Linha")).toLongLong();
    }
    QStringList linhasDoLog;
    for (const qint64 linha : linhas) {
        data::Transaction unidade(kDados);
        data::Query mov(kDados);
        mov.setSql(QStringLiteral("select TipoMov, NPedido, SinalQuitacao, Valor, DataMov, HoraMov from MovCaixa "
                                  "where rowid = :linha"));
        mov.bindValue(QStringLiteral("linha"), linha);
        mov.open();
        const bool existe = !mov.isEmpty();
        const QString linhaDoLog = existe ? descricao(mov) : QString();
        mov.close();
        executa(QStringLiteral("delete from MovCaixa where rowid = :linha"), linha);
        crashPoint("start-up: unfinished movement deleted");
        executa(QStringLiteral("delete from MovEmEntrada where Linha = :linha"), linha);
        unidade.commit();
        crashPoint("start-up: unfinished movement's removal committed");
        if (existe)
            linhasDoLog << linhaDoLog;
    }
    return linhasDoLog;
}

} // namespace qor::cash
