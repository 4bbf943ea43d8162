#include "tests/cash/movement/MovimentoFixture.h"

#include "cash/movement/ui/InstalaMovimento.h"
#include "tests/support/Rows.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace qor::test {

MovimentoFixture::MovimentoFixture(bool caixaAberto)
{
    Row sessao{{"NumSessao", 7}, {"DataAbertura", QDate(2026, 12, 10)}, {"HoraAbertura", QTime(8, 0)},
               {"Operador", "MARIA"}};
    if (!caixaAberto)
        sessao.insert("DataFechamento", QDate(2026, 12, 10));
    insertRows("QORFDADOS", "SessaoCx", {{{"NumSessao", 6}, {"Operador", "JOSE"}, {"DataFechamento", QDate(2026, 12, 9)}},
                                         sessao});
    insertRows("QORFDADOS", "FormaPag", {{{"FormaPagto", "Dinheiro"}}, {{"FormaPagto", "Cheque"}},
                                         {{"FormaPagto", QString::fromUtf8("Cartão")}}});
    insertRows("QORFDADOS", "TabLab", {{{"Laboratorio", "LOJA1"}}, {{"Laboratorio", "LOJA2"}}});
    insertRow("QUELVORA", "Parsist", {{"Op86", "LOJA1"}});

    painel = &cash::instalaMovimento(f.form(), dm.SQLDS_Pedidos, dm.PEDIDOS);
    painel->GravaLog = [this](const QString& line) { log << line; };
    painel->beep = [this] { ++beeps; };
    painel->encerraPrograma = [this](int code) { encerramentos << code; };
    painel->salvaMovimento = [this](const cash::PanelTexts& c) { salvos << c; };
}

MovimentoFixture::~MovimentoFixture() = default;

void MovimentoFixture::comOrdens()
{
    ordens = std::make_unique<TempOrderDb>();
    ordens->connect(dm.SQLConnection1);
}

void MovimentoFixture::start()
{
    f.start();
    f.identify();
}

void MovimentoFixture::foca(const QString& name)
{
    QWidget* w = find(name);
    QVERIFY2(w, qPrintable(name));
    w->setFocus(Qt::MouseFocusReason);
}

void MovimentoFixture::digita(const QString& name, const QString& text)
{
    foca(name);
    QWidget* w = find(name);
    QLineEdit* edit = qobject_cast<QLineEdit*>(w);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        edit = combo->lineEdit();
    QVERIFY2(edit, qPrintable(name));
    edit->setCursorPosition(0);
    edit->selectAll();
    QTest::keyClick(w, Qt::Key_Delete);
    edit->home(false);
    QTest::keyClicks(w, text);
}

void MovimentoFixture::enter(const QString& name) { QTest::keyClick(find(name), Qt::Key_Return); }

QWidget* MovimentoFixture::focado() const { return QApplication::focusWidget(); }

} // namespace qor::test
