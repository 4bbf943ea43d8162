#include "cash/export/DataPacket.h"
#include "cash/export/SequencedFile.h"
#include "data/base/Error.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;
using namespace qor::cash;
using data::FieldDef;
using data::FieldKind;

class TestDataPacket : public QObject {
    Q_OBJECT
private slots:
    void packetTextIsExact()
    {
        DataPacket p;
        p.fields = {
            {"Estacao", FieldKind::Text, 2},
            {"Nome", FieldKind::Text, 40},
            {"NPedido", FieldKind::Integer, 0},
            {"Valor", FieldKind::Float, 0},
            {"DataMov", FieldKind::Date, 0},
            {"HoraMov", FieldKind::Time, 0},
            {"Quando", FieldKind::DateTime, 0},
            {"Vazio", FieldKind::Text, 10},
        };
        p.row = QVariantList{
            QStringLiteral("01"),
            QString::fromUtf8("Açaí € & <x> \"q\" 'a'\x01\tz"),
            123456,
            1234.5,
            QDate(2026, 12, 9),
            QTime(14, 5, 7, 42),
            QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)),
            QVariant(),
        };
        const QString expected = QStringLiteral(
            "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
            "<FIELD attrname=\"Estacao\" fieldtype=\"string\" WIDTH=\"2\"/>"
            "<FIELD attrname=\"Nome\" fieldtype=\"string\" WIDTH=\"40\"/>"
            "<FIELD attrname=\"NPedido\" fieldtype=\"i4\"/>"
            "<FIELD attrname=\"Valor\" fieldtype=\"r8\"/>"
            "<FIELD attrname=\"DataMov\" fieldtype=\"date\"/>"
            "<FIELD attrname=\"HoraMov\" fieldtype=\"time\"/>"
            "<FIELD attrname=\"Quando\" fieldtype=\"dateTime\"/>"
            "<FIELD attrname=\"Vazio\" fieldtype=\"string\" WIDTH=\"10\"/>"
            "</FIELDS><PARAMS/></METADATA><ROWDATA>"
            "<ROW Estacao=\"01\" Nome=\"A&#231;a&#237; &#8364; &#38; &#60;x> &#34;q&#34; 'a'&#1;&#9;z\" NPedido=\"123456\""
            " Valor=\"1234.5\" DataMov=\"20261209\" HoraMov=\"14:05:07042\" Quando=\"20260102T03:04:05000\"/>"
            "</ROWDATA></DATAPACKET>");
        QCOMPARE(toDfXml(p), expected);
    }

    void packetWithoutRow()
    {
        DataPacket p;
        p.fields = {{"Valor", FieldKind::Float, 0}};
        QCOMPARE(toDfXml(p),
                 QStringLiteral("<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
                                "<FIELD attrname=\"Valor\" fieldtype=\"r8\"/></FIELDS><PARAMS/></METADATA>"
                                "<ROWDATA></ROWDATA></DATAPACKET>"));
    }

    void floatTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 30.0 << "30";
        QTest::newRow("cents") << 0.1 << "0.1";
        QTest::newRow("sum not rounded") << 0.1 + 0.2 << "0.30000000000000004";
        QTest::newRow("negative") << -10.25 << "-10.25";
        QTest::newRow("large, no exponent") << 12345678.9 << "12345678.9";
        QTest::newRow("zero") << 0.0 << "0";
    }
    void floatTexts()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(dfXmlFloat(value), text);
    }

    void nonBmpCharacterIsOneReference()
    {
        QCOMPARE(dfXmlEscape(QString::fromUtf8("\xF0\x9F\x98\x80")), QStringLiteral("&#128512;"));
    }

    void sequenceNumbers_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<int>("next");
        QTest::newRow("empty folder") << QStringList{} << 1;
        QTest::newRow("1 and 2") << QStringList{"Quitacao1.xml", "Quitacao2.xml"} << 3;
        QTest::newRow("1 freed") << QStringList{"Quitacao2.xml", "Quitacao3.xml"} << 1;
        QTest::newRow("gap") << QStringList{"Quitacao1.xml", "Quitacao3.xml"} << 2;
        QTest::newRow("other case taken") << QStringList{"QUITACAO1.XML"} << 2;
        QTest::newRow("not ours") << QStringList{"Quitacao01.xml", "Quitacao1.txt", "Outro1.xml", "Quitacaox.xml"}
                                  << 1;
    }
    void sequenceNumbers()
    {
        QFETCH(QStringList, existing);
        QFETCH(int, next);
        QTemporaryDir dir;
        for (const QString& name : existing) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(firstFreeSequence(dir.path(), "Quitacao", ".xml"), next);
        const QString written = writeSequencedFile(dir.path(), "Quitacao", ".xml", "x");
        QCOMPARE(written, dir.filePath(QStringLiteral("Quitacao%1.xml").arg(next)));
    }

    void neverOverwrites()
    {
        QTemporaryDir dir;
        // A sub-folder takes its name too.
        QVERIFY(QDir(dir.path()).mkdir("Quitacao1.xml"));
        QFile kept(dir.filePath("Quitacao2.xml"));
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("old");
        kept.close();

        QCOMPARE(writeSequencedFile(dir.path(), "Quitacao", ".xml", "new"), dir.filePath("Quitacao3.xml"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old"));
    }

    void missingFolderRaisesNamingIt()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("envia07");
        try {
            writeSequencedFile(missing, "Quitacao", ".xml", "x");
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.kind(), kind::IoError);
            QVERIFY2(e.text().contains(QDir::toNativeSeparators(missing)), qPrintable(e.text()));
        }
    }
};

QTEST_GUILESS_MAIN(TestDataPacket)
#include "tst_datapacket.moc"
