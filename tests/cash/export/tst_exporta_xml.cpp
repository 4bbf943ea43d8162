#include "cash/export/ExportaXml.h"
#include "cash/export/SequencedFile.h"
#include "data/base/SuitePaths.h"
#include "data/local/Table.h"
#include "tests/support/Rows.h"
#include "tests/support/TempSuite.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace qor;
using data::Table;

namespace {

const QString kFields = QStringLiteral(
    "<FIELD attrname=\"Estacao\" fieldtype=\"string\" WIDTH=\"2\"/>"
    "<FIELD attrname=\"NPedido\" fieldtype=\"string\" WIDTH=\"12\"/>"
    "<FIELD attrname=\"SinalQuitacao\" fieldtype=\"string\" WIDTH=\"1\"/>"
    "<FIELD attrname=\"Valor\" fieldtype=\"r8\"/>"
    "<FIELD attrname=\"DataMov\" fieldtype=\"date\"/>"
    "<FIELD attrname=\"HoraMov\" fieldtype=\"time\"/>"
    "<FIELD attrname=\"FormaPag\" fieldtype=\"string\" WIDTH=\"30\"/>"
    "<FIELD attrname=\"Laboratorio\" fieldtype=\"string\" WIDTH=\"10\"/>"
    "<FIELD attrname=\"ValorOriginal\" fieldtype=\"r8\"/>"
    "<FIELD attrname=\"Desconto\" fieldtype=\"r8\"/>");

QString packet(const QString& row)
{
    return QStringLiteral("<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>")
        + kFields + QStringLiteral("</FIELDS><PARAMS/></METADATA><ROWDATA>") + row
        + QStringLiteral("</ROWDATA></DATAPACKET>");
}

void addSettlement(const QString& estacao, const QString& npedido, const QString& formaPag, double valor)
{
    test::insertRow("QORFDADOS", "Quitacao",
                    {{"Estacao", estacao}, {"NPedido", npedido}, {"SinalQuitacao", "Q"}, {"Valor", valor},
                     {"DataMov", QDate(2026, 12, 9)}, {"HoraMov", QTime(14, 5, 7)}, {"FormaPag", formaPag},
                     {"Laboratorio", "LOJA1"}, {"ValorOriginal", 100.0}});
}

QString read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QStringLiteral("<missing %1>").arg(path);
}

// Hidden files too: a temporary file left behind would show.
QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

struct Setup {
    explicit Setup(const QStringList& codes)
    {
        state.QdeDestinos = int(codes.size());
        for (int i = 0; i < codes.size(); ++i) {
            state.ListaDestinos[i] = codes.at(i);
            QDir().mkpath(cash::sendFolder(codes.at(i)));
        }
    }
    test::TempSuite suite;
    app::AppState state;
    Table tabelaDB{"QORFDADOS", QString()};
};

} // namespace

class TestExportaXml : public QObject {
    Q_OBJECT
private slots:
    void sendFolders()
    {
        test::TempSuite suite;
        QCOMPARE(cash::sendFolder(""), suite.path("envia"));
        QCOMPARE(cash::sendFolder("01"), suite.path("envia01"));
        QCOMPARE(cash::sendFolder(".."), QString());
        QCOMPARE(cash::sendFolder("a/"), QString());
    }

    void writesTheKeyedRecordIntoEachDestination()
    {
        Setup s({"01", "02"});
        s.state.ListaDestinos[2] = "03"; // beyond QdeDestinos: not used
        QDir().mkpath(cash::sendFolder("03"));
        addSettlement("01", "100", "Dinheiro", 1.0);
        addSettlement("02", "123", QString::fromUtf8("Crédito € & <cia> \"x\"\t"), 90.5);

        const cash::ExportResult r = cash::Exporta_XML(s.state, s.tabelaDB, "Quitacao", "Quitacao",
                                                      {{"Estacao", "02"}, {"NPedido", "123"}, {"SinalQuitacao", "Q"}});
        QVERIFY(r.copied);
        QVERIFY(r.failures.isEmpty());
        const QString expected = packet(QStringLiteral(
            "<ROW Estacao=\"02\" NPedido=\"123\" SinalQuitacao=\"Q\" Valor=\"90.5\" DataMov=\"20261209\""
            " HoraMov=\"14:05:07000\" FormaPag=\"Cr&#233;dito &#8364; &#38; &#60;cia> &#34;x&#34;&#9;\""
            " Laboratorio=\"LOJA1\" ValorOriginal=\"100\"/>"));
        const QStringList want = {s.suite.path("envia01/Quitacao1.xml"), s.suite.path("envia02/Quitacao1.xml")};
        QCOMPARE(r.files, want);
        for (const QString& f : want)
            QCOMPARE(read(f), expected);
        QVERIFY(filesIn(cash::sendFolder("03")).isEmpty());
        QVERIFY(!s.tabelaDB.active());
    }

    void withoutKeyCarriesTheFirstRowAndNumbersOn()
    {
        Setup s({""});
        addSettlement("01", "100", "Dinheiro", 1.0);
        addSettlement("02", "123", "Dinheiro", 2.0);
        cash::Exporta_XML(s.state, s.tabelaDB, "Quitacao", "Quitacao");
        const cash::ExportResult r = cash::Exporta_XML(s.state, s.tabelaDB, "Quitacao", "Quitacao");
        QVERIFY(r.copied);
        QCOMPARE(filesIn(s.suite.path("envia")), QStringList({"Quitacao1.xml", "Quitacao2.xml"}));
        QVERIFY(read(s.suite.path("envia/Quitacao2.xml")).contains("<ROW Estacao=\"01\" NPedido=\"100\""));
    }

    void nothingToCopyStillWritesTheFile_data()
    {
        QTest::addColumn<bool>("withRow");
        QTest::newRow("empty table") << false;
        QTest::newRow("key not found") << true;
    }
    void nothingToCopyStillWritesTheFile()
    {
        QFETCH(bool, withRow);
        Setup s({""});
        if (withRow)
            addSettlement("01", "100", "Dinheiro", 1.0);
        const cash::ExportResult r =
            cash::Exporta_XML(s.state, s.tabelaDB, "Quitacao", "Quitacao", {{"NPedido", "999"}});
        QVERIFY(!r.copied);
        QCOMPARE(r.files.size(), 1);
        QCOMPARE(read(r.files.first()), packet(QString()));
    }

    void noDestinationsNothingWritten()
    {
        Setup s({"01"});
        s.state.QdeDestinos = 0;
        const cash::ExportResult r = cash::Exporta_XML(s.state, s.tabelaDB, "Quitacao", "Quitacao");
        QVERIFY(r.files.isEmpty());
        QVERIFY(r.failures.isEmpty());
        QVERIFY(filesIn(cash::sendFolder("01")).isEmpty());
        QVERIFY(filesIn(cash::sendFolder("")).isEmpty());
    }

    // Only this machine's temporary files whose process is gone: the
    // folders are shared with other stations.
    void theSweepRemovesOnlyAbandonedTemporariesOfThisMachine()
    {
        Setup s({"", "02"});
        QProcess ended;
        ended.start("true", {});
        const qint64 gone = ended.processId();
        QVERIFY(ended.waitForFinished());
        const QString abandoned = cash::temporaryName("Quitacao", gone, 1);
        const QString writing = cash::temporaryName("Quitacao", QCoreApplication::applicationPid(), 1);
        const QString otherStation = QStringLiteral(".Quitacao-OUTRAESTACAO-%1-1.tmp").arg(gone);
        const QString otherPrefix = cash::temporaryName("Outro", gone, 1);
        for (const QString& folder : {cash::sendFolder(""), cash::sendFolder("02")})
            for (const QString& name : {abandoned, writing, otherStation, otherPrefix, QStringLiteral("Quitacao1.xml")})
                s.suite.writeFile(QDir(s.suite.root()).relativeFilePath(folder + "/" + name), "x");

        QCOMPARE(cash::removeAbandonedExports(s.state, "Quitacao"),
                 QStringList({cash::sendFolder("") + "/" + abandoned, cash::sendFolder("02") + "/" + abandoned}));
        QStringList left{"Quitacao1.xml", writing, otherStation, otherPrefix};
        left.sort();
        for (const QString& folder : {cash::sendFolder(""), cash::sendFolder("02")}) {
            QStringList files = filesIn(folder);
            files.sort();
            QCOMPARE(files, left);
        }
    }

    void unwritableDestinationsAreReportedOthersStillGetTheirFile()
    {
        Setup s({"01", "07", "..", "02"});
        QVERIFY(QDir(cash::sendFolder("07")).removeRecursively());
        addSettlement("01", "100", "Dinheiro", 1.0);
        const cash::ExportResult r = cash::Exporta_XML(s.state, s.tabelaDB, "Quitacao", "Quitacao");
        QCOMPARE(r.files, QStringList({s.suite.path("envia01/Quitacao1.xml"), s.suite.path("envia02/Quitacao1.xml")}));
        QCOMPARE(r.failures.size(), 2);
        QCOMPARE(r.failures.at(0).folder, s.suite.path("envia07"));
        QVERIFY(!r.failures.at(0).error.isEmpty());
        QCOMPARE(r.failures.at(1).folder, QString("c:\\quelvora\\Envia.."));
        QVERIFY(QDir(s.suite.root()).entryList({"*.xml"}, QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestExportaXml)
#include "tst_exporta_xml.moc"
