#include "app/login/AcessoCaixa.h"
#include "app/login/CodificaSenha.h"
#include "data/base/Text.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace qor;

namespace {

// The inverse, from the definition: letters to bytes, bytes back in order,
// the 8n bits rotated right by 3.
QString decode(const QString& letters)
{
    const qsizetype n = letters.size() / 2;
    QByteArray rotated(n, '\0');
    for (qsizetype j = 0; j < n; ++j) {
        const int byte = (letters.at(2 * j).unicode() - 'A') << 4 | (letters.at(2 * j + 1).unicode() - 'A');
        rotated[n - 1 - j] = char(byte);
    }
    QByteArray plain(n, '\0');
    for (qsizetype i = 0; i < n; ++i) {
        const auto here = static_cast<unsigned char>(rotated.at(i));
        const auto before = static_cast<unsigned char>(rotated.at((i + n - 1) % n));
        plain[i] = char((here >> 3) | (before << 5));
    }
    return text::fromWin1252(plain);
}

} // namespace

class TestCodificaSenha : public QObject {
    Q_OBJECT
private slots:
    // Worked by hand: "AB" = 01000001 01000010, rotated left by 3 =
    // 00001010 00010010, bytes reversed = 0x12 0x0A = "BC" "AK".
    void workedExamples_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one letter") << "A" << "AK";          // 01000001 -> 00001010
        QTest::newRow("two letters") << "AB" << "BCAK";
        QTest::newRow("digits") << "123" << "JJJBIJ";        // 0x89 0x91 0x99 reversed
        QTest::newRow("accented byte") << QString::fromUtf8("é") << "EP"; // 0xE9 -> 0x4F
        QTest::newRow("euro is 0x80") << QString::fromUtf8("€") << "AE";  // 10000000 -> 00000100
    }
    void workedExamples()
    {
        QFETCH(QString, plain);
        QFETCH(QString, encoded);
        QCOMPARE(app::CodificaSenha(plain), encoded);
    }

    void decodesBackToTheInput_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::newRow("name") << "CAIXA";
        QTest::newRow("fifteen") << "ABCDEFGHIJKLMNO";
        QTest::newRow("accents") << QString::fromUtf8("JOSé ÇÃ€");
        QTest::newRow("thirty-one") << QString(31, QLatin1Char('z'));
        QTest::newRow("control and high") << QString::fromLatin1("\x01\xff\x7f");
    }
    void decodesBackToTheInput()
    {
        QFETCH(QString, plain);
        const QString encoded = app::CodificaSenha(plain);
        QCOMPARE(encoded.size(), 2 * plain.size());
        for (const QChar c : encoded)
            QVERIFY(c >= QLatin1Char('A') && c <= QLatin1Char('P'));
        QCOMPARE(decode(encoded), plain);
    }

    void textsThatCanNeverMatchAreRefused()
    {
        QCOMPARE(app::encodeForComparison(QString(15, QLatin1Char('A')), app::kMaxNomeUsuario),
            std::optional(app::CodificaSenha(QString(15, QLatin1Char('A')))));
        QCOMPARE(app::encodeForComparison(QString(16, QLatin1Char('A')), app::kMaxNomeUsuario), std::nullopt);
        QCOMPARE(app::encodeForComparison("1234567", app::kMaxSenha), std::nullopt);
        QCOMPARE(app::encodeForComparison(QString::fromUtf8("日本"), app::kMaxSenha), std::nullopt);
    }

    void accessRightOnTheEleventhCharacter_data()
    {
        QTest::addColumn<QString>("acesso");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("granted");
        QTest::newRow("C moved up by 12 is O") << "SSSSSSSSSSOSSS" << "CAIXA" << true;
        QTest::newRow("exactly 11") << "SSSSSSSSSSO" << "CAIXA" << true;
        QTest::newRow("other letter") << "SSSSSSSSSSP" << "CAIXA" << false;
        QTest::newRow("only 10") << "SSSSSSSSSS" << "CAIXA" << false;
        QTest::newRow("first letter is the 11th") << "SSSSSSSSSSC" << "CAIXA" << false;
        QTest::newRow("wraps past 255") << QString::fromLatin1("SSSSSSSSSS\x06") << QString::fromLatin1("\xfa") << true;
        QTest::newRow("no name") << "SSSSSSSSSSO" << "" << false;
    }
    void accessRightOnTheEleventhCharacter()
    {
        QFETCH(QString, acesso);
        QFETCH(QString, name);
        QFETCH(bool, granted);
        QCOMPARE(app::temAcessoAoCaixa(acesso, name), granted);
    }

    // The demo login the README gives must keep working: the script's
    // values are the encodings of the documented name and password.
    void demoUserScriptMatchesTheEncoding()
    {
        QFile script(QStringLiteral(QOR_SOURCE_DIR "/scripts/orderdb/demo-users.sql"));
        QVERIFY(script.open(QIODevice::ReadOnly));
        const QString sql = QString::fromUtf8(script.readAll());
        const QRegularExpression insert(
            QStringLiteral(R"(VALUES\s*\('([^']*)',\s*'[^']*',\s*'([^']*)',\s*'([^']*)')"));
        const auto m = insert.match(sql);
        QVERIFY2(m.hasMatch(), "no demo user in the script");
        QCOMPARE(m.captured(1), app::CodificaSenha("CAIXA"));
        QCOMPARE(m.captured(2), app::CodificaSenha("123"));
        QVERIFY(app::temAcessoAoCaixa(m.captured(3), "CAIXA"));
    }
};

QTEST_GUILESS_MAIN(TestCodificaSenha)
#include "tst_codifica_senha.moc"
