#include "cash/totals/TotalizaSessao.h"
#include "data/local/Table.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QTest>

using namespace qor;
using data::Table;

namespace {

// "Entrada|Dinheiro|30" (an empty amount stores null); the session is the
// open one unless a fourth part names another.
struct Mov {
    QString entradaSaida;
    QString formaPag;
    QVariant valor;
    int sessao = 2;
};

Mov parse(const QString& text)
{
    const QStringList p = text.split(QLatin1Char('|'));
    Mov m{p.value(0), p.value(1), p.value(2).isEmpty() ? QVariant() : QVariant(p.value(2).toDouble())};
    if (p.size() > 3)
        m.sessao = p.at(3).toInt();
    return m;
}

const QStringList kWritten = {
    "TotEntradaDin", "TotEntradaDeb", "TotEntradaChe", "TotEntradaChePre", "TotEntradaCar", "TotEntradaDepC",
    "TotEntradaVale", "TotEntradaBol", "TotSaidaDin", "TotSaidaDeb", "TotSaidaChe", "TotSaidaChePre",
    "TotSaidaCar", "TotSaidaDepC", "TotSaidaVale", "TotSaidaBol", "TotalEntradas", "TotalSaidas",
    "TotalDinheiro", "TotalDebito", "TotalCheque", "TotChePre", "TotalCartao", "TotalDepC", "TotalVale",
    "TotBol", "TotalGeral",
};
const QStringList kNeverWritten = {"TotEntrada1", "TotEntrada2", "TotSaida1", "TotSaida2", "Tot1", "Tot2"};

// Movements of other sessions, present in every case: none may count.
const QStringList kOtherSessions = {"Entrada|Dinheiro|1000|1", "Saida|Dinheiro|700|1", "Entrada|Dinheiro|55|12",
                                    "Entrada|Cheque|33|20"};

class Fixture {
public:
    explicit Fixture(const QVariant& troco)
    {
        QList<test::Row> sessions;
        for (int n : {1, 2}) {
            test::Row row{{"NumSessao", n}, {"DataAbertura", QDate(2026, 12, 8 + n)},
                          {"Troco", n == 2 ? troco : QVariant(500.0)}};
            // Stale figures and fields the totals never write.
            for (const QString& f : kWritten)
                row[f] = 999.0;
            for (const QString& f : kNeverWritten)
                row[f] = 5.0;
            sessions << row;
        }
        test::insertRows("QORFDADOS", "SessaoCx", sessions);
        add(kOtherSessions);
    }

    void add(const QStringList& movs)
    {
        QList<test::Row> rows;
        for (const QString& text : movs) {
            const Mov mov = parse(text);
            rows << test::Row{{"NumSessao", mov.sessao},
                              {"NPedido", QStringLiteral("01.%1").arg(++pedidos_, 6, 10, QLatin1Char('0'))},
                              {"TipoMov", mov.entradaSaida == "Saida" ? "Sangria" : "Venda"},
                              {"EntradaSaida", mov.entradaSaida},
                              {"FormaPag", mov.formaPag},
                              {"Valor", mov.valor}};
        }
        test::insertRows("QORFDADOS", "MovCaixa", rows);
    }

    void run() { cash::TotalizaSessao(sessaoCx, movCaixa, caixaCor); }

    // The open session's figures, read afresh.
    QVariantMap figures() const
    {
        Table s("QORFDADOS", "SessaoCx");
        s.open();
        s.last();
        QVariantMap out;
        for (const QString& f : kWritten + kNeverWritten)
            out[f] = s.value(f);
        return out;
    }

    test::TempSuite suite;
    int pedidos_ = 0;
    Table sessaoCx{"QORFDADOS", "SessaoCx"};
    Table movCaixa{"QORFDADOS", "MovCaixa"};
    Table caixaCor{"QORFDADOS", "CaixaCor"};
};

// Exact comparison: the totals are never rounded, and QCOMPARE on doubles
// would forgive a rounded figure.
bool sameFloat(const QVariant& actual, double expected) { return !actual.isNull() && actual.toDouble() == expected; }

} // namespace

class TestTotalizaSessao : public QObject {
    Q_OBJECT
private slots:
    void figures_data()
    {
        QTest::addColumn<QVariant>("troco");
        QTest::addColumn<QStringList>("movs");
        QTest::addColumn<QVariantMap>("expected"); // every other written field 0

        QTest::newRow("no movements") << QVariant(100.0) << QStringList{}
                                      << QVariantMap{{"TotalDinheiro", 100.0}, {"TotalGeral", 100.0}};
        QTest::newRow("float 100, sale 30, withdrawal 50")
            << QVariant(100.0) << QStringList{"Entrada|Dinheiro|30", "Saida|Dinheiro|50"}
            << QVariantMap{{"TotEntradaDin", 30.0}, {"TotSaidaDin", 50.0}, {"TotalDinheiro", 80.0},
                           {"TotalEntradas", 30.0}, {"TotalSaidas", 50.0}, {"TotalGeral", 80.0}};
        QTest::newRow("Cartão only overall")
            << QVariant(0.0) << QStringList{QString::fromUtf8("Entrada|Cartão|20")}
            << QVariantMap{{"TotalEntradas", 20.0}, {"TotalGeral", 20.0}};
        QTest::newRow("each form, only cash takes the float")
            << QVariant(10.0)
            << QStringList{"Entrada|Debito|1",   "Entrada|Credito|2", "Entrada|Dep. conta|4",
                           "Entrada|Vale|8",     "Entrada|Boleto|16", "Saida|debito|32",
                           "Saida|CREDITO|64",   "Saida|dep|128",     "Saida|vale|256",
                           "Saida|bol|512",      QString::fromUtf8("Entrada|Débito|1024")}
            << QVariantMap{{"TotEntradaDeb", 1.0},   {"TotEntradaCar", 2.0},   {"TotEntradaDepC", 4.0},
                           {"TotEntradaVale", 8.0},  {"TotEntradaBol", 16.0},  {"TotSaidaDeb", 32.0},
                           {"TotSaidaCar", 64.0},    {"TotSaidaDepC", 128.0},  {"TotSaidaVale", 256.0},
                           {"TotSaidaBol", 512.0},   {"TotalDebito", -31.0},   {"TotalCartao", -62.0},
                           {"TotalDepC", -124.0},    {"TotalVale", -248.0},    {"TotBol", -496.0},
                           {"TotalDinheiro", 10.0},  {"TotalEntradas", 1055.0}, {"TotalSaidas", 992.0},
                           {"TotalGeral", 73.0}};
        QTest::newRow("cheque by length")
            << QVariant(0.0)
            << QStringList{"Entrada|Cheque|1",  "Entrada|CHEQUE|2",  "Entrada|cheque|4",
                           "Entrada|Cheques|8", "Entrada|Chequ|16",  QString::fromUtf8("Entrada|Cheque pré.|32"),
                           "Entrada|chequeXY|64", "Saida|Cheque|128", QString::fromUtf8("Saida|Cheque pré.|256")}
            << QVariantMap{{"TotEntradaChe", 7.0},   {"TotEntradaChePre", 96.0}, {"TotSaidaChe", 128.0},
                           {"TotSaidaChePre", 256.0}, {"TotalCheque", -121.0},  {"TotChePre", -160.0},
                           {"TotalEntradas", 127.0}, {"TotalSaidas", 384.0},   {"TotalGeral", -257.0}};
        QTest::newRow("direction compared exactly")
            << QVariant(0.0)
            << QStringList{"saida|Dinheiro|1", QString::fromUtf8("Saída|Dinheiro|2"), "|Dinheiro|4",
                           "ENTRADA|Dinheiro|8"}
            << QVariantMap{};
        QTest::newRow("empty float and amount act as 0")
            << QVariant() << QStringList{"Entrada|Dinheiro|", "Entrada|Dinheiro|10"}
            << QVariantMap{{"TotEntradaDin", 10.0}, {"TotalDinheiro", 10.0}, {"TotalEntradas", 10.0},
                           {"TotalGeral", 10.0}};
        QTest::newRow("summed in reading order, not rounded")
            << QVariant(0.0) << QStringList{"Entrada|Dinheiro|0.1", "Entrada|Dinheiro|0.2", "Entrada|Dinheiro|0.3"}
            << QVariantMap{{"TotEntradaDin", 0.1 + 0.2 + 0.3}, {"TotalDinheiro", 0.1 + 0.2 + 0.3},
                           {"TotalEntradas", 0.1 + 0.2 + 0.3}, {"TotalGeral", 0.1 + 0.2 + 0.3}};
    }
    void figures()
    {
        QFETCH(QVariant, troco);
        QFETCH(QStringList, movs);
        QFETCH(QVariantMap, expected);
        Fixture fx(troco);
        fx.add(movs);
        fx.run();

        const QVariantMap got = fx.figures();
        for (const QString& f : kWritten) {
            const double want = expected.value(f, 0.0).toDouble();
            QVERIFY2(sameFloat(got[f], want),
                     qPrintable(QStringLiteral("%1: %2, expected %3").arg(f, got[f].toString()).arg(want, 0, 'g', 17)));
        }
        for (const QString& f : kNeverWritten)
            QVERIFY2(sameFloat(got[f], 5.0), qPrintable(f));
    }

    void leavesTablesAsItsCallerNeedsThem()
    {
        Fixture fx(100.0);
        fx.add({"Entrada|Dinheiro|30"});
        fx.movCaixa.open();
        fx.movCaixa.setFilter("NumSessao = 1");
        fx.movCaixa.setFiltered(true);
        fx.run();

        QVERIFY(fx.sessaoCx.active());
        QCOMPARE(fx.sessaoCx.state(), data::DataSetState::Browse);
        QCOMPARE(fx.sessaoCx.asInteger("NumSessao"), 2);
        QCOMPARE(fx.sessaoCx.asFloat("TotEntradaDin"), 30.0);
        QVERIFY(!fx.movCaixa.active());
        QVERIFY(!fx.movCaixa.filtered());
        QCOMPARE(fx.movCaixa.filter(), QString());
        QVERIFY(!fx.caixaCor.active());

        QCOMPARE(test::column("QORFDADOS", "CaixaCor", "SessaoCorrente"), QVariantList{2});
    }

    void rerunRecomputes()
    {
        Fixture fx(100.0);
        fx.add({"Entrada|Dinheiro|30", "Saida|Dinheiro|50"});
        fx.run();
        const QVariantMap once = fx.figures();
        fx.run();
        QCOMPARE(fx.figures(), once);

        fx.sessaoCx.close();
        fx.add({"Entrada|Dinheiro|5"});
        fx.run();
        const QVariantMap after = fx.figures();
        QVERIFY(sameFloat(after["TotEntradaDin"], 35.0));
        QVERIFY(sameFloat(after["TotalGeral"], 85.0));
    }
};

QTEST_GUILESS_MAIN(TestTotalizaSessao)
#include "tst_totaliza_sessao.moc"
