#include "data/local/Catalog.h"

namespace qor::data {

namespace {

FieldDef integer(const char* name) { return {QString::fromLatin1(name), FieldKind::Integer, 0}; }
FieldDef floating(const char* name) { return {QString::fromLatin1(name), FieldKind::Float, 0}; }
FieldDef date(const char* name) { return {QString::fromLatin1(name), FieldKind::Date, 0}; }
FieldDef time(const char* name) { return {QString::fromLatin1(name), FieldKind::Time, 0}; }
FieldDef text(const char* name, int size) { return {QString::fromLatin1(name), FieldKind::Text, size}; }

QList<FieldDef> sessaoCxFields()
{
    QList<FieldDef> f{integer("NumSessao"), date("DataAbertura"), time("HoraAbertura"),
                      date("DataFechamento"), time("HoraFechamento"), text("Operador", 30),
                      floating("Troco")};
    for (const char* n : {"TotEntradaDin", "TotEntradaDeb", "TotEntradaChe", "TotEntradaCar", "TotEntradaVale",
                          "TotEntradaDepC", "TotEntradaChePre", "TotEntradaBol", "TotEntrada1", "TotEntrada2",
                          "TotSaidaDin", "TotSaidaDeb", "TotSaidaChe", "TotSaidaCar", "TotSaidaVale",
                          "TotSaidaDepC", "TotSaidaChePre", "TotSaidaBol", "TotSaida1", "TotSaida2",
                          "TotalEntradas", "TotalSaidas", "TotalDinheiro", "TotalDebito", "TotalCheque",
                          "TotalCartao", "TotalVale", "TotalDepC", "TotChePre", "TotBol", "Tot1", "Tot2",
                          "TotalGeral"})
        f << floating(n);
    return f;
}

QList<FieldDef> movCaixaFields()
{
    return {integer("NumSessao"),    date("DataMov"),          time("HoraMov"),
            floating("Valor"),       text("FormaPag", 30),     text("Historico", 50),
            text("NPedido", 15),     text("SinalQuitacao", 8), text("TipoMov", 15),
            text("EntradaSaida", 7), integer("NumParcela"),    integer("NumDocumento"),
            integer("NumMovimento"), text("Laboratorio", 10),  floating("ValorOriginal"),
            floating("Desconto")};
}

TableDef table(const char* name, QList<FieldDef> fields, QStringList key = {}, QStringList order = {},
               QList<IndexDef> indexes = {}, QStringList nullScan = {})
{
    TableDef def;
    def.name = QString::fromLatin1(name);
    def.fields = std::move(fields);
    def.primaryKey = std::move(key);
    def.naturalOrder = std::move(order);
    def.indexes = std::move(indexes);
    def.nullScanFields = std::move(nullScan);
    for (int i = 0; i < def.fields.size(); ++i) {
        def.positions.insert(def.fields.at(i).name, i);
        def.positions.insert(def.fields.at(i).name.toLower(), i);
    }
    return def;
}

QList<TableDef> build()
{
    QList<TableDef> t;
    t << table("SessaoCx", sessaoCxFields(), {"NumSessao"});
    // Rows without an order reference are purged often ("npedido is null"),
    // rows without an amount on request: small partial indexes serve both.
    t << table("MovCaixa", movCaixaFields(), {}, {"NumSessao"},
               {{"PedSiQui", {"NPedido", "SinalQuitacao"}, true}}, {"NPedido", "Valor"});
    t << table("CaixaCor", {integer("SessaoCorrente")});
    t << table("CTCaixa", {integer("CTSangria"), integer("CTRessuprimento")});
    t << table("Quitacao",
               {text("Estacao", 2), text("NPedido", 12), text("SinalQuitacao", 1), floating("Valor"),
                date("DataMov"), time("HoraMov"), text("FormaPag", 30), text("Laboratorio", 10),
                floating("ValorOriginal"), floating("Desconto")},
               {"Estacao", "NPedido", "SinalQuitacao"});
    t << table("Periodo", {date("DataInicial"), date("DataFinal")});
    t << table("TabCaixa", {text("Caixa", 30)});
    t << table("FormaPag", {text("FormaPagto", 30)});
    t << table("FormasPG", {text("FormaPagto", 30)});
    t << table("TabLab", {text("Laboratorio", 10)});
    t << table("tudcaixa", movCaixaFields());
    t << table("ListMovC", movCaixaFields());
    t << table("Destinos", {text("Estacao", 3), text("Tipo", 16), text("IP", 30), text("Porta", 10)});
    t << table("Servidor", {text("Ativo", 1), text("IP", 60), text("Servidor", 30)});
    t << table("Limite", {integer("QdeDiasAManter")});
    t << table("Parlocal", {text("Serv_Est", 20)});
    t << table("Parsist", {text("Op86", 10)});
    t << table("Estacoes", {text("Estacao", 3), text("Tipo", 16)});
    t << table("Usuarios", {text("Usuario", 30), text("Senha", 30)});
    // Tables of this program's own, not shared with the suite: the movement
    // rows still under entry (by MovCaixa row id), and the payments recorded
    // in the till whose write onto the order is still due, with what the
    // order held when the payment was taken.
    t << table("MovEmEntrada", {integer("Linha")});
    t << table("PagamentoPendente",
               {text("Estacao", 2), text("NPedido", 12), text("SinalQuitacao", 1), floating("Valor"),
                date("DataMov"), time("HoraMov"), text("FormaPag", 30), text("PedidoExistia", 1),
                floating("SinalAntes"), floating("ValorRestanteAntes"), date("DataPagamentoAntes"),
                text("FormaPagamentoAntes", 30), text("UltimaFalha", 250)});
    // The site's switches of the cash control (one row; "S" turns the blind
    // count at closing on) and the count of each payment form kept at a
    // closing with that count.
    t << table("ParCaixa", {text("ContagemCega", 1)});
    t << table("ConferenciaCx",
               {integer("NumSessao"), text("FormaPag", 30), floating("Esperado"), floating("Contado"),
                floating("Diferenca"), text("Operador", 30), date("DataConf"), time("HoraConf")});
    for (TableDef& def : t) {
        if (def.name == QLatin1String("CTCaixa") || def.name == QLatin1String("ListMovC"))
            def.home = QStringLiteral("c:\\quelvora\\dados");
        else if (def.name == QLatin1String("Limite"))
            def.home = QStringLiteral("C:\\QUELVORA\\QUITACAO");
        else if (QStringList{"Parlocal", "Parsist", "Estacoes", "Usuarios"}.contains(def.name))
            def.home = QStringLiteral("QUELVORA");
        // The one-row tables start with zeros; the counters are never reset.
        if (def.name == QLatin1String("CaixaCor"))
            def.oneRow = {{QStringLiteral("SessaoCorrente"), 0}};
        else if (def.name == QLatin1String("CTCaixa"))
            def.oneRow = {{QStringLiteral("CTSangria"), 0}, {QStringLiteral("CTRessuprimento"), 0}};
    }
    return t;
}

} // namespace

const FieldDef* TableDef::field(const QString& name) const
{
    for (const FieldDef& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

int TableDef::position(const QString& name) const
{
    if (const auto it = positions.constFind(name); it != positions.constEnd())
        return *it;
    return positions.value(name.toLower(), -1);
}

const IndexDef* TableDef::index(const QString& name) const
{
    for (const IndexDef& i : indexes)
        if (i.name.compare(name, Qt::CaseInsensitive) == 0)
            return &i;
    return nullptr;
}

const QList<TableDef>& Catalog::tables()
{
    static const QList<TableDef> all = build();
    return all;
}

QString Catalog::stripExtension(const QString& name)
{
    if (name.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive))
        return name.left(name.size() - 3);
    return name;
}

QList<const TableDef*> Catalog::tablesAt(const QString& location)
{
    QList<const TableDef*> out;
    for (const TableDef& t : tables())
        if (t.home == location)
            out << &t;
    return out;
}

QStringList Catalog::homes()
{
    QStringList out;
    for (const TableDef& t : tables())
        if (!out.contains(t.home))
            out << t.home;
    return out;
}

const TableDef* Catalog::find(const QString& name)
{
    const QString bare = stripExtension(name.trimmed());
    for (const TableDef& t : tables())
        if (t.name.compare(bare, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

} // namespace qor::data
