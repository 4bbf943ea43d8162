#include "app/widgets/AmountField.h"
#include "app/widgets/DBComboBox.h"
#include "app/widgets/DBEdit.h"
#include "app/window/Captions.h"
#include "cash/session/GradeDeTotais.h"
#include "cash/session/PainelAbrirCaixa.h"
#include "cash/session/PainelFecharCaixa.h"
#include "cash/session/ParcialDoCaixa.h"
#include "data/local/Table.h"
#include "tests/cash/fixture/CaixaFixture.h"
#include "tests/support/OperatorInput.h"
#include "tests/support/RawDatabase.h"
#include "tests/support/Rows.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace qor;
using app::BoxAnswer;
using app::TForm1;
using cash::PainelAbrirCaixa;
using cash::PainelFecharCaixa;
using test::CaixaFixture;
using test::Row;

namespace {

const QString kDados = QStringLiteral("QORFDADOS");
const QDate kHoje(2026, 12, 10);

Row sessaoFechada(int numero)
{
    return {{"NumSessao", numero}, {"DataAbertura", kHoje.addDays(-20 + numero)}, {"Operador", "ANA"},
            {"Troco", 10.0},       {"DataFechamento", kHoje.addDays(-20 + numero)}};
}

Row sessaoAberta(int numero, const QString& operador, double troco, QDate abertura = kHoje)
{
    return {{"NumSessao", numero}, {"DataAbertura", abertura}, {"HoraAbertura", QTime(8, 0)},
            {"Operador", operador}, {"Troco", troco}};
}

Row movimento(int sessao, const QString& pedido, double valor, const QString& forma = "Dinheiro",
              const QString& direcao = "Entrada")
{
    return {{"NumSessao", sessao}, {"NPedido", pedido}, {"SinalQuitacao", "Sinal"}, {"Valor", valor},
            {"FormaPag", forma},   {"EntradaSaida", direcao}, {"TipoMov", "Venda"}};
}

// One stored field of the session numbered `numero` (null when no such row).
QVariant campoDaSessao(int numero, const QString& field)
{
    data::Table t(kDados, "SessaoCx");
    t.open();
    for (t.first(); !t.eof(); t.next())
        if (t.asInteger("NumSessao") == numero)
            return t.value(field);
    return {};
}

QVariantList numerosDasSessoes() { return test::column(kDados, "SessaoCx", "NumSessao"); }

QString textoDoErroSemProjeto()
{
    return QStringLiteral("Erro inesperado.\rClasse: EReportProjectError\rErro: Projeto de relatórios não encontrado: ") +
           reports::SemProjetoDeRelatorios::arquivoDoProjeto();
}

// A window started and identified, with `operador` as the identified name.
void pronta(CaixaFixture& f, const QString& operador = "MARIA")
{
    f.start();
    f.identify();
    f.state.setNomeOperador(operador);
}

// The site's blind-count switch, as ParCaixa holds it.
void contagemCega(const QString& valor) { test::insertRow(kDados, "ParCaixa", {{"ContagemCega", valor}}); }

// ConferenciaCx as stored: one "session|form|expected|counted|difference|operator|date|time" per row.
QStringList conferencia()
{
    test::RawDatabase raw(kDados);
    const QString linhas = raw.scalar(
        "select group_concat(l, ';') from (select NumSessao || '|' || FormaPag || '|' || printf('%.2f', Esperado) || '|' "
        "|| printf('%.2f', Contado) || '|' || printf('%.2f', Diferenca) || '|' || Operador || '|' || DataConf || '|' "
        "|| substr(HoraConf, 1, 8) as l from ConferenciaCx order by rowid)").toString();
    return linhas.isEmpty() ? QStringList() : linhas.split(';');
}

void teclas(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

} // namespace

class TstSession : public QObject {
    Q_OBJECT
private slots:
    void openingPanelLayout();
    void closingPanelLayout();
    void commandsApplyGateAndGuard_data();
    void commandsApplyGateAndGuard();
    void newSessionNumber_data();
    void newSessionNumber();
    void openByKeyboard_data();
    void openByKeyboard();
    void cancelLeavesNoTraceAndTheNumberIsReused();
    void openingRefusedWhileOpen();
    void openingIgnoresTheErrorsOfItsButtons();
    void failedOpeningPostShowsTheErrorAndNoPanel();
    void closingWithoutMovementsShowsTheFloat();
    void cancelThenCloseAgainCountsNewMovements();
    void closeSession_data();
    void closeSession();
    void closingTwiceSaysAlreadyClosed();
    void failedClosingPostLeavesTheSessionOpen();
    void blindCountSwitch_data();
    void blindCountSwitch();
    void blindCountIsStoredWithTheClosing();
    void blindCountCancelledStoresNothing_data();
    void blindCountCancelledStoresNothing();
    void blindCountIsLostWhenTheClosingFails();
    void partialLeavesTheSessionOpen();
};

void TstSession::openingPanelLayout()
{
    CaixaFixture f;
    pronta(f);
    auto* p = qobject_cast<PainelAbrirCaixa*>(f.form().painel("PainelAbrirCaixa"));
    QVERIFY(p);
    QCOMPARE(p->titulo(), QStringLiteral("Abertura de Caixa"));
    auto* combo = f.find<widgets::DBComboBox>("DBComboBox1");
    auto* sessao = f.find<widgets::DBEdit>("DBEdit1");
    auto* troco = f.find<widgets::DBEdit>("DBEdit2");
    QCOMPARE(combo->pos(), QPoint(114, 61));
    QCOMPARE(troco->pos(), QPoint(426, 61));
    QCOMPARE(sessao->font().pixelSize(), 21);
    QCOMPARE(combo->dataField(), QStringLiteral("Operador"));
    QCOMPARE(troco->dataField(), QStringLiteral("Troco"));
    QVERIFY(sessao->isReadOnly());
    QCOMPARE(f.find<QPushButton>("BitBtn1")->geometry(), QRect(12, 114, 274, 35));
    QCOMPARE(f.find<QPushButton>("BitBtn1")->palette().color(QPalette::ButtonText), QColor(Qt::red));
    QCOMPARE(f.find<QPushButton>("BitBtn2")->palette().color(QPalette::ButtonText), QColor(0, 0, 128));

    // Tab order: the session number is skipped, "Abrir Caixa" comes before "Cancelar".
    f.trigger("FechamentodeCaixa1");
    QCOMPARE(QApplication::focusWidget(), combo);
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, (QStringList{"DBEdit2", "BitBtn2", "BitBtn1", "DBComboBox1"}));
}

void TstSession::closingPanelLayout()
{
    CaixaFixture f;
    test::insertRow(kDados, "SessaoCx", sessaoAberta(1, "ANA", 100.0));
    pronta(f);
    f.trigger("FecharCaixa1");
    app::Painel* p = f.form().painel("PainelFecharCaixa");
    QVERIFY(p->isVisible());
    QVERIFY(p->alinhadoAoCliente());

    // Every amount: read-only, out of the Tab order, every other line shaded.
    const QStringList saldos = {"TotalDinheiro", "TotalCheque", "TotalCartao", "TotalDebito", "TotChePre",
                                "TotalDepC",     "TotBol",      "TotalVale",   "TotalGeral"};
    const QList<widgets::DBEdit*> edits = p->findChildren<widgets::DBEdit*>();
    QCOMPARE(edits.size(), 3 + 27);
    for (widgets::DBEdit* e : edits) {
        QVERIFY2(e->isReadOnly(), qPrintable(e->objectName()));
        QVERIFY2(!(e->focusPolicy() & Qt::TabFocus), qPrintable(e->objectName()));
    }
    for (int i = 0; i < saldos.size(); ++i) {
        auto* e = p->findChild<widgets::DBEdit*>("edtFecha" + saldos.at(i));
        QVERIFY2(e, qPrintable(saldos.at(i)));
        QCOMPARE(e->pos(), QPoint(422, 65 + 23 * i));
        QCOMPARE(e->palette().color(QPalette::Base) == cash::corDeLegendaInativa(), i % 2 == 0);
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BitBtn3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BotFechaCaixa"));
    QCOMPARE(f.find<QPushButton>("BotFechaCaixa")->geometry(), QRect(296, 286, 280, 32));
}

void TstSession::commandsApplyGateAndGuard_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("identified");
    QTest::addColumn<QString>("message");
    for (const char* command : {"FechamentodeCaixa1", "FecharCaixa1", "ParcialdoCaixa1"}) {
        QTest::addRow("%s not identified", command) << command << false << TForm1::kMsgIdentificacao;
        QTest::addRow("%s panel open", command) << command << true << TForm1::kMsgPaineisAbertos;
    }
}

void TstSession::commandsApplyGateAndGuard()
{
    QFETCH(QString, command);
    QFETCH(bool, identified);
    QFETCH(QString, message);
    CaixaFixture f;
    test::insertRow(kDados, "SessaoCx", sessaoAberta(1, "ANA", 0.0));
    f.start();
    if (identified) {
        f.identify();
        f.trigger("act_Operadores");
    }
    f.boxes.script(BoxAnswer::Ok);
    f.trigger(command);
    QCOMPARE(f.boxes.texts(), QStringList{message});
    QCOMPARE(numerosDasSessoes(), QVariantList{1});
    QVERIFY(f.form().painel("PainelAbrirCaixa")->isHidden());
    QVERIFY(f.form().painel("PainelFecharCaixa")->isHidden());
    QVERIFY(campoDaSessao(1, "TotalGeral").isNull()); // no totals were run
}

void TstSession::newSessionNumber_data()
{
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty table") << QList<int>{} << 1;
    QTest::newRow("after 7") << QList<int>{1, 2, 3, 4, 5, 6, 7} << 8;
    QTest::newRow("after gaps") << QList<int>{2, 5, 9} << 10;
}

void TstSession::newSessionNumber()
{
    QFETCH(QList<int>, stored);
    QFETCH(int, expected);
    CaixaFixture f(QDateTime(kHoje, QTime(7, 45, 30)));
    for (int n : stored)
        test::insertRow(kDados, "SessaoCx", sessaoFechada(n));
    pronta(f, "MARIA");
    f.trigger("FechamentodeCaixa1");

    // Stored before the panel shows, and in editing for it.
    QVERIFY(f.form().painel("PainelAbrirCaixa")->isVisible());
    QCOMPARE(test::countRows(kDados, "SessaoCx"), int(stored.size()) + 1);
    QCOMPARE(campoDaSessao(expected, "Operador"), QVariant("MARIA"));
    QCOMPARE(campoDaSessao(expected, "DataAbertura"), QVariant(kHoje));
    QCOMPARE(campoDaSessao(expected, "HoraAbertura").toTime(), QTime(7, 45, 30));
    QVERIFY(campoDaSessao(expected, "DataFechamento").isNull());
    QVERIFY(campoDaSessao(expected, "Troco").isNull());
    QCOMPARE(f.tables.SessaoCx.state(), data::DataSetState::Edit);
    QCOMPARE(f.texto("DBEdit1"), QString::number(expected));
    QCOMPARE(f.find<widgets::DBComboBox>("DBComboBox1")->currentText(), QStringLiteral("MARIA"));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("DBComboBox1"));
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstSession::openByKeyboard_data()
{
    QTest::addColumn<QString>("typedName");  // "" keeps the proposed name
    QTest::addColumn<QStringList>("floatInput");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("shownFloat"); // once left
    QTest::addColumn<QString>("operador");
    QTest::addColumn<QVariant>("troco");
    QTest::addColumn<QString>("saldoDinheiro"); // once closed, with no movement
    const QString longo = QStringLiteral("JOSÉ DA SILVA XAVIER DE ALMEIDA PRADO"); // 36 characters
    QTest::newRow("proposed name, float") << "" << QStringList{"150,50"} << 0 << "R$ 150,50" << "MARIA" << QVariant(150.5)
                                          << "150,50";
    QTest::newRow("typed long name cut to 30") << longo << QStringList{"1000"} << 0 << "R$ 1.000,00" << longo.left(30)
                                               << QVariant(1000.0) << "1.000,00";
    QTest::newRow("point as the decimal comma") << "" << QStringList{"12.50"} << 0 << "R$ 12,50" << "MARIA"
                                                << QVariant(12.5) << "12,50";
    QTest::newRow("keypad decimal key") << "" << QStringList{"12", "<kp.>", "5"} << 0 << "R$ 12,50" << "MARIA"
                                        << QVariant(12.5) << "12,50";
    QTest::newRow("pasted thousands") << "" << QStringList{"<paste>1.234,50"} << 0 << "R$ 1.234,50" << "MARIA"
                                      << QVariant(1234.5) << "1.234,50";
    QTest::newRow("letters refused") << "" << QStringList{"30,00troco"} << 5 << "R$ 30,00" << "MARIA" << QVariant(30.0)
                                     << "30,00";
    QTest::newRow("a prefix completes to the listed name") << "PED" << QStringList{} << 0 << "" << "PEDRO" << QVariant()
                                                           << "0,00";
    QTest::newRow("empty float stays empty") << "PEDRO" << QStringList{} << 0 << "" << "PEDRO" << QVariant() << "0,00";
}

void TstSession::openByKeyboard()
{
    QFETCH(QString, typedName);
    QFETCH(QStringList, floatInput);
    QFETCH(int, beeps);
    QFETCH(QString, shownFloat);
    QFETCH(QString, operador);
    QFETCH(QVariant, troco);
    QFETCH(QString, saldoDinheiro);
    CaixaFixture f;
    test::insertRows(kDados, "TabCaixa", {{{"Caixa", "ANA"}}, {{"Caixa", "PEDRO"}}});
    pronta(f, "MARIA");
    f.trigger("FechamentodeCaixa1");

    auto* combo = f.find<widgets::DBComboBox>("DBComboBox1");
    QCOMPARE(combo->count(), 2);
    if (!typedName.isEmpty()) {
        combo->lineEdit()->selectAll();
        teclas(typedName);
    }
    enter(); // the Enter rule: on to the float
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("DBEdit2"));
    int beeped = 0;
    widgets::AmountField::of(f.find<widgets::DBEdit>("DBEdit2"))->beep = [&beeped] { ++beeped; };
    test::operate(QApplication::focusWidget(), floatInput);
    enter();
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BitBtn2"));
    QCOMPARE(beeped, beeps);
    QCOMPARE(f.texto("DBEdit2"), shownFloat);
    enter(); // clicks "Abrir Caixa"

    QVERIFY(f.form().painel("PainelAbrirCaixa")->isHidden());
    QVERIFY(f.state.CaixaAberto);
    QCOMPARE(f.state.NomeOperador(), operador);
    QCOMPARE(f.form().windowTitle(), app::captionCaixaAberto(operador));
    QCOMPARE(campoDaSessao(1, "Operador").toString(), operador);
    QCOMPARE(campoDaSessao(1, "Troco"), troco);
    QCOMPARE(f.tables.SessaoCx.state(), data::DataSetState::Browse);

    // The float as the totals count it.
    f.trigger("FecharCaixa1");
    QCOMPARE(f.texto("edtFechaTotalDinheiro"), saldoDinheiro);
    QCOMPARE(f.texto("edtFechaTotalGeral"), saldoDinheiro);
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstSession::cancelLeavesNoTraceAndTheNumberIsReused()
{
    CaixaFixture f;
    for (int n = 1; n <= 6; ++n)
        test::insertRow(kDados, "SessaoCx", sessaoFechada(n));
    pronta(f);
    const QString caption = f.form().windowTitle();
    for (int vez = 0; vez < 2; ++vez) {
        f.trigger("FechamentodeCaixa1");
        QCOMPARE(f.texto("DBEdit1"), QStringLiteral("7"));
        enter();
        teclas("250,00");
        f.click("BitBtn1");
        QVERIFY(f.form().painel("PainelAbrirCaixa")->isHidden());
        QCOMPARE(numerosDasSessoes(), (QVariantList{1, 2, 3, 4, 5, 6}));
        QVERIFY(!f.state.CaixaAberto);
        QCOMPARE(f.state.NomeOperador(), QStringLiteral("MARIA"));
        QCOMPARE(f.form().windowTitle(), caption);
    }
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstSession::openingRefusedWhileOpen()
{
    CaixaFixture f;
    test::insertRow(kDados, "SessaoCx", sessaoAberta(4, "OUTRO OPERADOR", 5.0, kHoje.addDays(-3)));
    pronta(f, "MARIA");
    f.boxes.script(BoxAnswer::Ok);
    f.trigger("FechamentodeCaixa1");
    QCOMPARE(f.boxes.texts(), QStringList{PainelAbrirCaixa::kMsgCaixaAberto});
    QCOMPARE(numerosDasSessoes(), QVariantList{4});
    QVERIFY(f.form().painel("PainelAbrirCaixa")->isHidden());
}

void TstSession::openingIgnoresTheErrorsOfItsButtons()
{
    CaixaFixture f;
    pronta(f, "MARIA");

    // "Abrir Caixa" with a float that is no amount: the post fails, the till
    // opens on the row as stored.
    f.trigger("FechamentodeCaixa1");
    enter();
    teclas("abc");
    f.click("BitBtn2");
    QVERIFY(f.form().painel("PainelAbrirCaixa")->isHidden());
    QVERIFY(f.state.CaixaAberto);
    QCOMPARE(f.form().windowTitle(), app::captionCaixaAberto("MARIA"));
    QVERIFY(campoDaSessao(1, "Troco").isNull());
    QCOMPARE(f.tables.SessaoCx.state(), data::DataSetState::Browse);

    // "Cancelar" whose deletion another program refuses: the row stays.
    f.state.CaixaAberto = false;
    test::RawDatabase raw(kDados);
    QVERIFY2(raw.exec("CREATE TRIGGER recusa BEFORE DELETE ON SessaoCx BEGIN SELECT RAISE(ABORT, 'bloqueada'); END"),
             qPrintable(raw.error()));
    f.trigger("FechamentodeCaixa1");
    f.click("BitBtn1");
    QVERIFY(f.form().painel("PainelAbrirCaixa")->isHidden());
    QCOMPARE(numerosDasSessoes(), (QVariantList{1, 2}));
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstSession::failedOpeningPostShowsTheErrorAndNoPanel()
{
    CaixaFixture f;
    pronta(f);
    test::RawDatabase raw(kDados);
    QVERIFY(raw.exec("CREATE TRIGGER recusa BEFORE INSERT ON SessaoCx BEGIN SELECT RAISE(ABORT, 'bloqueada'); END"));
    f.boxes.script(BoxAnswer::Ok);
    f.trigger("FechamentodeCaixa1");
    QCOMPARE(f.boxes.shown().size(), 1);
    QVERIFY(f.boxes.lastText().startsWith("Erro inesperado."));
    QVERIFY(f.form().painel("PainelAbrirCaixa")->isHidden());
    QCOMPARE(test::countRows(kDados, "SessaoCx"), 0);
    QVERIFY(!f.state.CaixaAberto);

    // Nothing of the refused row is left pending: the next try stores its own.
    QVERIFY(raw.exec("DROP TRIGGER recusa"));
    f.trigger("FechamentodeCaixa1");
    QVERIFY(f.form().painel("PainelAbrirCaixa")->isVisible());
    QCOMPARE(numerosDasSessoes(), QVariantList{1});
}

void TstSession::closingWithoutMovementsShowsTheFloat()
{
    CaixaFixture f;
    test::insertRows(kDados, "MovCaixa", {movimento(2, "01.000001", 77.0)}); // another session's
    test::insertRow(kDados, "SessaoCx", sessaoFechada(2));
    test::insertRow(kDados, "SessaoCx", sessaoAberta(3, "ANA", 100.0));
    pronta(f);
    f.trigger("FecharCaixa1");
    QCOMPARE(f.texto("DBEdit3"), QStringLiteral("3"));
    QCOMPARE(f.texto("DBEdit8"), QStringLiteral("ANA"));
    QCOMPARE(f.texto("dbedtNumSessao"), QStringLiteral("R$ 100,00"));
    for (const char* campo : {"TotEntradaDin", "TotSaidaDin", "TotEntradaChe", "TotalCheque", "TotEntradaCar",
                              "TotSaidaDeb", "TotChePre", "TotalDepC", "TotBol", "TotalVale", "TotalEntradas",
                              "TotalSaidas"})
        QCOMPARE(f.texto(QStringLiteral("edtFecha") + campo), QStringLiteral("0,00"));
    QCOMPARE(f.texto("edtFechaTotalDinheiro"), QStringLiteral("100,00"));
    QCOMPARE(f.texto("edtFechaTotalGeral"), QStringLiteral("100,00"));
    QCOMPARE(test::column(kDados, "CaixaCor", "SessaoCorrente"), QVariantList{3});
    QVERIFY(!f.tables.MovCaixa.active());
    QVERIFY(f.state.CaixaAberto);
}

void TstSession::cancelThenCloseAgainCountsNewMovements()
{
    CaixaFixture f;
    test::insertRow(kDados, "SessaoCx", sessaoAberta(1, "ANA", 100.0));
    test::insertRows(kDados, "MovCaixa", {movimento(1, "01.000001", 30.0)});
    pronta(f);
    f.trigger("FecharCaixa1");
    QCOMPARE(f.texto("edtFechaTotalDinheiro"), QStringLiteral("130,00"));
    f.click("BitBtn3");
    QVERIFY(f.form().painel("PainelFecharCaixa")->isHidden());
    QVERIFY(f.state.CaixaAberto);
    QVERIFY(campoDaSessao(1, "DataFechamento").isNull());
    QCOMPARE(campoDaSessao(1, "TotalDinheiro"), QVariant(130.0)); // the totals just stored stay

    test::insertRows(kDados, "MovCaixa", {movimento(1, "S_1", 50.0, "Dinheiro", "Saida"),
                                          movimento(1, "01.000002", 20.0, "Cartão")});
    f.trigger("FecharCaixa1");
    QCOMPARE(f.texto("edtFechaTotEntradaDin"), QStringLiteral("30,00"));
    QCOMPARE(f.texto("edtFechaTotSaidaDin"), QStringLiteral("50,00"));
    QCOMPARE(f.texto("edtFechaTotalDinheiro"), QStringLiteral("80,00"));
    QCOMPARE(f.texto("edtFechaTotalCartao"), QStringLiteral("0,00"));
    QCOMPARE(f.texto("edtFechaTotalEntradas"), QStringLiteral("50,00"));
    QCOMPARE(f.texto("edtFechaTotalGeral"), QStringLiteral("100,00"));
    QVERIFY(f.boxes.shown().isEmpty());
}

void TstSession::closeSession_data()
{
    QTest::addColumn<BoxAnswer>("answer");
    QTest::newRow("no report") << BoxAnswer::No;
    QTest::newRow("report without a project") << BoxAnswer::Yes;
}

void TstSession::closeSession()
{
    QFETCH(BoxAnswer, answer);
    CaixaFixture f(QDateTime(kHoje, QTime(18, 42, 10)));
    test::insertRow(kDados, "SessaoCx", sessaoFechada(11));
    test::insertRow(kDados, "SessaoCx", sessaoAberta(12, "ANA", 100.0, kHoje.addDays(-1)));
    pronta(f);
    f.trigger("FecharCaixa1");
    f.boxes.script(answer);
    if (answer == BoxAnswer::Yes)
        f.boxes.script(BoxAnswer::Ok);
    f.click("BotFechaCaixa");

    QCOMPARE(campoDaSessao(12, "DataFechamento"), QVariant(kHoje));
    QCOMPARE(campoDaSessao(12, "HoraFechamento").toTime(), QTime(18, 42, 10));
    QCOMPARE(campoDaSessao(12, "TotalDinheiro"), QVariant(100.0));
    QVERIFY(!f.tables.SessaoCx.active());
    QVERIFY(!f.state.CaixaAberto);
    QCOMPARE(f.state.NomeOperador(), QString());
    QCOMPARE(f.form().windowTitle(), app::captionCaixaFechado());
    QVERIFY(f.form().painel("PainelFecharCaixa")->isHidden());
    QVERIFY(f.form().painel("PainelLogin")->isHidden()); // still identified

    QCOMPARE(f.boxes.shown().first().kind, app::BoxKind::Confirmation);
    QCOMPARE(f.boxes.shown().first().text, PainelFecharCaixa::kPerguntaImprimir);
    if (answer == BoxAnswer::No) {
        QCOMPARE(f.boxes.shown().size(), 1);
        QCOMPARE(f.relatorios.qrySessaoCX().sql(), QString());
    } else {
        QCOMPARE(f.boxes.texts(), (QStringList{PainelFecharCaixa::kPerguntaImprimir, textoDoErroSemProjeto()}));
        QVERIFY(textoDoErroSemProjeto().endsWith("/rpt/rptCaixa.rav"));
        QCOMPARE(f.relatorios.qrySessaoCX().sqlLines(),
                 QStringList{"Select * From SessaoCX where NumSessao = '12'"});
        QVERIFY(!f.relatorios.qrySessaoCX().active());
    }
}

void TstSession::closingTwiceSaysAlreadyClosed()
{
    CaixaFixture f;
    test::insertRow(kDados, "SessaoCx", sessaoAberta(1, "ANA", 0.0));
    pronta(f);
    f.trigger("FecharCaixa1");
    f.boxes.script(BoxAnswer::No);
    f.click("BotFechaCaixa");
    f.boxes.clear();
    f.boxes.script(BoxAnswer::Ok);
    f.trigger("FecharCaixa1");
    QCOMPARE(f.boxes.texts(), QStringList{PainelFecharCaixa::kMsgCaixaFechado});
    QVERIFY(f.form().painel("PainelFecharCaixa")->isHidden());
}

void TstSession::failedClosingPostLeavesTheSessionOpen()
{
    CaixaFixture f;
    test::insertRow(kDados, "SessaoCx", sessaoAberta(1, "ANA", 0.0));
    pronta(f);
    f.trigger("FecharCaixa1");
    test::RawDatabase raw(kDados);
    QVERIFY(raw.exec("CREATE TRIGGER recusa BEFORE UPDATE ON SessaoCx WHEN new.DataFechamento IS NOT NULL "
                     "BEGIN SELECT RAISE(ABORT, 'bloqueada'); END"));
    f.boxes.script(BoxAnswer::Ok);
    f.click("BotFechaCaixa");
    QCOMPARE(f.boxes.shown().size(), 1);
    QVERIFY(f.boxes.lastText().startsWith("Erro inesperado."));
    QVERIFY(f.form().painel("PainelFecharCaixa")->isVisible());
    QVERIFY(f.state.CaixaAberto);
    QCOMPARE(f.tables.SessaoCx.state(), data::DataSetState::Browse);

    // Once the lock is gone, leaving and closing again stores the date then.
    f.click("BitBtn3");
    QVERIFY(campoDaSessao(1, "DataFechamento").isNull());
    QVERIFY(raw.exec("DROP TRIGGER recusa"));
    f.trigger("FecharCaixa1");
    f.boxes.script(BoxAnswer::No);
    f.click("BotFechaCaixa");
    QCOMPARE(campoDaSessao(1, "DataFechamento"), QVariant(kHoje));
}


void TstSession::blindCountSwitch_data()
{
    QTest::addColumn<QString>("valor"); // "-": no ParCaixa row
    QTest::addColumn<bool>("ligada");
    QTest::newRow("no row") << "-" << false;
    QTest::newRow("blank") << "" << false;
    QTest::newRow("N") << "N" << false;
    QTest::newRow("S") << "S" << true;
}

void TstSession::blindCountSwitch()
{
    QFETCH(QString, valor);
    QFETCH(bool, ligada);
    CaixaFixture f;
    test::insertRow(kDados, "SessaoCx", sessaoAberta(1, "ANA", 100.0));
    if (valor != "-")
        contagemCega(valor);
    pronta(f);
    f.trigger("FecharCaixa1");
    QCOMPARE(f.form().painel("PainelContagem")->isVisible(), ligada);
    QCOMPARE(f.form().painel("PainelFecharCaixa")->isVisible(), !ligada);
    QCOMPARE(QApplication::focusWidget()->objectName(),
             ligada ? QStringLiteral("edtContadoTotalDinheiro") : QStringLiteral("BitBtn3"));
    QVERIFY(f.find<QLabel>("lblContado")->isHidden());
    QVERIFY(campoDaSessao(1, "TotalGeral").isNull() == ligada); // the totals wait for the count
}

void TstSession::blindCountIsStoredWithTheClosing()
{
    CaixaFixture f(QDateTime(kHoje, QTime(18, 42, 10)));
    contagemCega("S");
    test::insertRow(kDados, "SessaoCx", sessaoAberta(4, "ANA", 100.0));
    test::insertRows(kDados, "MovCaixa", {movimento(4, "01.000001", 30.0), movimento(4, "01.000002", 20.1, "Cheque"),
                                          movimento(4, "01.000003", 15.0, "Vale")});
    pronta(f, "MARIA");
    f.trigger("FecharCaixa1");

    // Typed in the closing panel's order, Enter moving on; blank counts 0.
    const QStringList contados = {"129.9", "20,10", "", "", "", "", "3", "15"};
    const QStringList ordem = {"TotalDinheiro", "TotalCheque", "TotalCartao", "TotalDebito",
                               "TotChePre",     "TotalDepC",   "TotBol",      "TotalVale"};
    for (int i = 0; i < contados.size(); ++i) {
        QCOMPARE(QApplication::focusWidget()->objectName(), "edtContado" + ordem.at(i));
        teclas(contados.at(i));
        enter();
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnConfirmaContagem"));
    f.click("btnConfirmaContagem");

    QVERIFY(f.form().painel("PainelContagem")->isHidden());
    QVERIFY(f.form().painel("PainelFecharCaixa")->isVisible());
    QCOMPARE(f.texto("edtFechaTotalDinheiro"), QStringLiteral("130,00"));
    QCOMPARE(f.texto("edtFechaContadoTotalDinheiro"), QStringLiteral("129,90"));
    QCOMPARE(f.texto("edtFechaDiferencaTotalDinheiro"), QStringLiteral("-0,10"));
    QCOMPARE(f.texto("edtFechaDiferencaTotalCheque"), QStringLiteral("0,00"));
    QCOMPARE(f.texto("edtFechaDiferencaTotBol"), QStringLiteral("3,00"));
    const auto cor = [&](const char* nome) { return f.find<QLineEdit>(nome)->palette().color(QPalette::Text); };
    QCOMPARE(cor("edtFechaDiferencaTotalDinheiro"), QColor(Qt::red));
    QVERIFY(cor("edtFechaDiferencaTotBol") != QColor(Qt::red));
    QVERIFY(f.find<QLabel>("lblDiferenca")->isVisible());
    QVERIFY(conferencia().isEmpty());

    f.boxes.script(BoxAnswer::Yes);
    f.boxes.script(BoxAnswer::Ok);
    f.click("BotFechaCaixa");
    QCOMPARE(campoDaSessao(4, "DataFechamento"), QVariant(kHoje));
    QVERIFY(!f.state.CaixaAberto);
    const QString quando = "MARIA|" + kHoje.toString(Qt::ISODate) + "|18:42:10";
    const QString zero = "0.00|0.00|0.00|" + quando;
    QCOMPARE(conferencia(), (QStringList{"4|Dinheiro|130.00|129.90|-0.10|" + quando,
                                         "4|Cheque|20.10|20.10|0.00|" + quando, "4|Cartão Crédito|" + zero, "4|Cartão Débito|" + zero,
                                         "4|Cheque Pré|" + zero, "4|Depósito Conta|" + zero,
                                         "4|Boleto|0.00|3.00|3.00|" + quando, "4|Vale|15.00|15.00|0.00|" + quando}));
    // The summary offered afterwards reads the count with the session.
    QCOMPARE(f.relatorios.qryConferenciaCx().sqlLines(),
             QStringList{"Select * From ConferenciaCx where NumSessao = '4' order by rowid"});
}

void TstSession::blindCountCancelledStoresNothing_data()
{
    QTest::addColumn<QString>("botao");
    QTest::newRow("at the count") << "btnCancelaContagem";
    QTest::newRow("at the totals") << "BitBtn3";
}

void TstSession::blindCountCancelledStoresNothing()
{
    QFETCH(QString, botao);
    CaixaFixture f;
    contagemCega("S");
    test::insertRow(kDados, "SessaoCx", sessaoAberta(1, "ANA", 50.0));
    pronta(f);
    f.trigger("FecharCaixa1");
    teclas("49");
    f.click("btnConfirmaContagem");
    if (botao == "btnCancelaContagem") { // a second attempt, left at the count
        f.click("BitBtn3");
        f.trigger("FecharCaixa1");
        QCOMPARE(f.texto("edtContadoTotalDinheiro"), QString()); // nothing kept from before
    }
    f.click(botao);
    QVERIFY(f.form().painel("PainelContagem")->isHidden());
    QVERIFY(f.form().painel("PainelFecharCaixa")->isHidden());
    QVERIFY(f.state.CaixaAberto);
    QVERIFY(campoDaSessao(1, "DataFechamento").isNull());
    QVERIFY(conferencia().isEmpty());
}

void TstSession::blindCountIsLostWhenTheClosingFails()
{
    CaixaFixture f;
    contagemCega("S");
    test::insertRow(kDados, "SessaoCx", sessaoAberta(1, "ANA", 10.0));
    pronta(f);
    f.trigger("FecharCaixa1");
    f.click("btnConfirmaContagem");
    test::insertRow(kDados, "ConferenciaCx", {{"NumSessao", 0}}); // the table, for the trigger
    test::RawDatabase raw(kDados);
    QVERIFY(raw.exec("DELETE FROM ConferenciaCx"));
    QVERIFY(raw.exec("CREATE TRIGGER recusa BEFORE INSERT ON ConferenciaCx WHEN new.FormaPag = 'Vale' "
                     "BEGIN SELECT RAISE(ABORT, 'bloqueada'); END"));
    f.boxes.script(BoxAnswer::Ok);
    f.click("BotFechaCaixa");
    QVERIFY(f.boxes.lastText().startsWith("Erro inesperado."));
    QVERIFY(f.state.CaixaAberto);
    QVERIFY(campoDaSessao(1, "DataFechamento").isNull()); // the stamp went with the count
    QVERIFY(conferencia().isEmpty());
    QVERIFY(f.form().painel("PainelFecharCaixa")->isVisible());

    // Left and taken again once the lock is gone: the totals stored on the
    // way carry no stamp of the failed closing; the second one keeps all.
    f.click("BitBtn3");
    QVERIFY(raw.exec("DROP TRIGGER recusa"));
    f.trigger("FecharCaixa1");
    f.click("btnConfirmaContagem");
    QVERIFY(campoDaSessao(1, "DataFechamento").isNull());
    f.boxes.script(BoxAnswer::No);
    f.click("BotFechaCaixa");
    QCOMPARE(conferencia().size(), 8);
    QVERIFY(!campoDaSessao(1, "DataFechamento").isNull());
}

void TstSession::partialLeavesTheSessionOpen()
{
    CaixaFixture f;
    test::insertRow(kDados, "SessaoCx", sessaoAberta(6, "ANA", 100.0));
    test::insertRows(kDados, "MovCaixa", {movimento(6, "01.000001", 30.0)});
    pronta(f);
    f.boxes.script(BoxAnswer::Ok);
    f.trigger("ParcialdoCaixa1");
    QCOMPARE(f.boxes.texts(), QStringList{textoDoErroSemProjeto()}); // printing reached the report module
    QCOMPARE(f.relatorios.qrySessaoCX().sqlLines(), QStringList{"Select * From SessaoCX where NumSessao = '6'"});
    QCOMPARE(campoDaSessao(6, "TotalDinheiro"), QVariant(130.0));
    QVERIFY(campoDaSessao(6, "DataFechamento").isNull());
    QVERIFY(f.state.CaixaAberto);
}

QTEST_MAIN(TstSession)
#include "tst_session.moc"
