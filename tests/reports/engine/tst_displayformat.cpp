#include "reports/engine/DisplayFormat.h"

#include <QDate>
#include <QTest>
#include <QTime>

using qor::reports::formatValue;

class TestDisplayFormat : public QObject {
    Q_OBJECT
private slots:
    void formats_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("shown");
        QTest::newRow("money grouped") << QVariant(1234.5) << "###,##0.00" << "1.234,50";
        QTest::newRow("money millions") << QVariant(1234567.891) << "###,##0.00" << "1.234.567,89";
        QTest::newRow("money small") << QVariant(0.5) << "###,##0.00" << "0,50";
        QTest::newRow("money zero") << QVariant(0.0) << "##,##0.00" << "0,00";
        QTest::newRow("money negative") << QVariant(-1500.0) << "#,##0.00" << "-1.500,00";
        QTest::newRow("negative rounding to zero") << QVariant(-0.001) << "#,##0.00" << "0,00";
        QTest::newRow("rounds half up") << QVariant(2.675000001) << "##,##0.00" << "2,68";
        QTest::newRow("no grouping") << QVariant(1234.5) << "##0.00" << "1234,50";
        QTest::newRow("currency prefix") << QVariant(150.0) << "R$ ###,##0.00" << "R$ 150,00";
        QTest::newRow("integer with money format") << QVariant(1200) << "#,##0.00" << "1.200,00";
        QTest::newRow("integer plain") << QVariant(42) << "" << "42";
        QTest::newRow("float plain") << QVariant(1234.5) << "" << "1234,5";
        QTest::newRow("null") << QVariant() << "###,##0.00" << "";
        QTest::newRow("text unchanged") << QVariant(QStringLiteral("Dinheiro")) << "###,##0.00" << "Dinheiro";
        QTest::newRow("short date") << QVariant(QDate(2010, 3, 5)) << "dd/mm/yy" << "05/03/10";
        QTest::newRow("long date") << QVariant(QDate(2010, 3, 5)) << "dd/mm/yyyy" << "05/03/2010";
        QTest::newRow("date default") << QVariant(QDate(2010, 3, 5)) << "" << "05/03/2010";
        QTest::newRow("time hh:mm is minutes") << QVariant(QTime(9, 7, 30)) << "hh:mm" << "09:07";
        QTest::newRow("time hh:nn") << QVariant(QTime(18, 45)) << "hh:nn" << "18:45";
        QTest::newRow("date and time") << QVariant(QDateTime(QDate(2026, 12, 1), QTime(8, 5)))
                                       << "dd/mm/yyyy hh:nn" << "01/12/2026 08:05";
        QTest::newRow("quoted literal") << QVariant(QDateTime(QDate(2026, 12, 1), QTime(8, 5)))
                                        << "'Impresso em' dd/mm/yyyy 'às' hh:nn" << "Impresso em 01/12/2026 às 08:05";
    }
    void formats()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QFETCH(QString, shown);
        QCOMPARE(formatValue(value, format), shown);
    }
};

QTEST_GUILESS_MAIN(TestDisplayFormat)
#include "tst_displayformat.moc"
