#include "data/local/Catalog.h"
#include "data/orderdb/TDM.h"

#include <QHash>

namespace qor::orderdb {

namespace {

using data::FieldDef;
using data::FieldKind;

QList<FieldDef> fieldsOf(const char* table) { return data::Catalog::find(QString::fromLatin1(table))->fields; }

QList<FieldDef> movementsWithTheirSession()
{
    QList<FieldDef> fields = fieldsOf("MovCaixa");
    for (FieldDef f : fieldsOf("SessaoCx")) {
        if (f.name == QLatin1String("NumSessao"))
            f.name = QStringLiteral("NumSessao_1");
        fields << f;
    }
    return fields;
}

FieldDef text(const char* name, int size) { return {QString::fromLatin1(name), FieldKind::Text, size}; }
FieldDef money(const char* name) { return {QString::fromLatin1(name), FieldKind::Float, 0}; }

using Formats = QHash<QString, QHash<QString, QString>>; // query -> column -> format, upper case keys

void put(Formats& formats, const char* query, const QStringList& columns, const char* format)
{
    for (const QString& c : columns)
        formats[QString::fromLatin1(query).toUpper()][c.toUpper()] = QString::fromLatin1(format);
}

QStringList floatsOf(const char* table)
{
    QStringList names;
    for (const FieldDef& f : fieldsOf(table))
        if (f.kind == FieldKind::Float)
            names << f.name;
    return names;
}

Formats buildFormats()
{
    Formats f;
    put(f, "qrySessaoCX", floatsOf("SessaoCx"), "##,##0.00");
    put(f, "qryDetalhaMovCaixa", {QStringLiteral("DataMov")}, "dd/mm/yy");
    put(f, "qryDetalhaMovCaixa", {QStringLiteral("HoraMov")}, "hh:mm");
    put(f, "qryDetalhaMovCaixa", floatsOf("MovCaixa"), "###,##0.00");
    put(f, "qryDetalhaMovCaixa", floatsOf("SessaoCx"), "##,##0.00");
    put(f, "qryDetalhaPeriodo", {QStringLiteral("Valor")}, "###,##0.00");
    put(f, "qryDetalhaPeriodoGrupo", {QStringLiteral("Total")}, "###,##0.00");
    put(f, "qryDetalhaPeriodoGrupoL", {QStringLiteral("Total")}, "###,##0.00");
    put(f, "qryTotalizaDetalha", {QStringLiteral("ValorFinal"), QStringLiteral("ValorOriginal")}, "###,##0.00");
    put(f, "qryResumoFP", {QStringLiteral("Valor")}, "##,##0.00");
    put(f, "qry_ResumoSaidas", {QStringLiteral("Valor")}, "#,##0.00");
    put(f, "qry_DetalhaSaidas", {QStringLiteral("Valor")}, "#,##0.00");
    put(f, "qryConferenciaCx", floatsOf("ConferenciaCx"), "##,##0.00");
    put(f, "qryConciliacao", {QStringLiteral("Valor"), QStringLiteral("PedSinal"), QStringLiteral("PedRestante"),
                              QStringLiteral("ValorApontado")}, "###,##0.00");
    put(f, "qrySinaisEmAberto", {QStringLiteral("Sinal"), QStringLiteral("Restante")}, "###,##0.00");
    return f;
}

} // namespace

void TDM::setUpReportQueries()
{
    const auto declare = [](data::Query& query, const char* name, const QList<FieldDef>& fields) {
        query.setObjectName(QString::fromLatin1(name));
        query.setDeclaredFields(fields);
    };
    qryClose.setObjectName(QStringLiteral("qryClose"));
    declare(qrySessaoCX, "qrySessaoCX", fieldsOf("SessaoCx"));
    declare(qryMovCaixa, "qryMovCaixa", fieldsOf("MovCaixa"));
    qryMovCaixa.setSql(QStringLiteral("SELECT * FROM MOVCAIXA"));
    declare(qryDetalhaMovCaixa, "qryDetalhaMovCaixa", movementsWithTheirSession());
    declare(qryDetalhaPeriodo, "qryDetalhaPeriodo", fieldsOf("MovCaixa"));
    declare(qryDetalhaPeriodoGrupo, "qryDetalhaPeriodoGrupo", {text("FormaPag", 30), money("Total")});
    declare(qryDetalhaPeriodoGrupoL, "qryDetalhaPeriodoGrupoL",
            {text("Laboratorio", 10), text("FormaPag", 30), money("Total")});
    declare(qryTotalizaDetalha, "qryTotalizaDetalha",
            {text("TipoMov", 15), money("ValorFinal"), money("ValorOriginal"), money("Desconto")});
    declare(qryResumoFP, "qryResumoFP", {text("formapag", 30), money("Valor")});
    declare(qry_ResumoSaidas, "qry_ResumoSaidas", {text("Formapag", 30), money("Valor")});
    declare(qry_DetalhaSaidas, "qry_DetalhaSaidas", fieldsOf("MovCaixa"));
    declare(qryConferenciaCx, "qryConferenciaCx", fieldsOf("ConferenciaCx"));
    const auto dia = [](const char* name) { return FieldDef{QString::fromLatin1(name), FieldKind::Date, 0}; };
    qryConciliacao.setObjectName(QStringLiteral("qryConciliacao"));
    qryConciliacao.defineCampos({text("Pedido", 16), text("Tipo", 10), money("Valor"), dia("DataMov"),
                                 text("FormaPag", 30), money("PedSinal"), money("PedRestante"),
                                 dia("PedDataPagamento"), text("PedFormaPagamento", 30), text("Situacao", 40),
                                 money("ValorApontado")});
    qrySinaisEmAberto.setObjectName(QStringLiteral("qrySinaisEmAberto"));
    qrySinaisEmAberto.defineCampos({text("Loja", 10), text("Faixa", 20), text("Pedido", 16), text("Nome", 50),
                                    dia("DataPedido"), {QStringLiteral("Dias"), FieldKind::Integer, 0},
                                    money("Sinal"), money("Restante")});
    declare(qryCabecalho, "qryCabecalho",
            {text("Loja", 10), {QStringLiteral("DataInicial"), FieldKind::Date, 0},
             {QStringLiteral("DataFinal"), FieldKind::Date, 0}, text("FiltroLoja", 10)});
    qryCabecalho.setSql(QStringLiteral("Select (Select Op86 From Parsist) as Loja, :DataInicial as DataInicial, "
                                       ":DataFinal as DataFinal, :FiltroLoja as FiltroLoja"));
    for (const char* parameter : {"DataInicial", "DataFinal", "FiltroLoja"})
        qryCabecalho.bindValue(QString::fromLatin1(parameter), QVariant());
}

QString TDM::displayFormat(const QString& query, const QString& column)
{
    static const Formats formats = buildFormats();
    return formats.value(query.toUpper()).value(column.toUpper());
}

} // namespace qor::orderdb
