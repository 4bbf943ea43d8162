#include "tests/reports/ui/RelatoriosFixture.h"

#include "admin/core/SessaoCxBeforeDelete.h"
#include "admin/ui/InstalaAdministracao.h"
#include "cash/session/InstalaPaineisDeSessao.h"
#include "reports/project/ReportProjectInstall.h"
#include "reports/ui/InstalaRelatorios.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace qor::test {

void insereMovimentos(const QList<Mov>& movimentos)
{
    QList<Row> rows;
    for (const Mov& m : movimentos) {
        const QString es = !m.entradaSaida.isEmpty() ? m.entradaSaida
            : m.tipo == QLatin1String("Sangria")     ? QStringLiteral("Saida")
                                                     : QStringLiteral("Entrada");
        rows << Row { { "NumSessao", m.sessao }, { "DataMov", m.data }, { "HoraMov", QTime(9, 0) },
            { "Valor", m.valor }, { "FormaPag", m.formaPag }, { "NPedido", m.pedido },
            { "SinalQuitacao", m.tipo == QLatin1String("Venda") ? QStringLiteral("Sinal") : m.pedido },
            { "TipoMov", m.tipo }, { "EntradaSaida", es }, { "Laboratorio", m.loja }, { "ValorOriginal", m.valor },
            { "Desconto", 0.0 } };
    }
    insertRows(QStringLiteral("QORFDADOS"), QStringLiteral("MovCaixa"), rows);
}

void insereSessao(int numero, const QDate& abertura, const QDate& fechada, const QString& operador, double troco)
{
    Row row { { "NumSessao", numero }, { "DataAbertura", abertura }, { "HoraAbertura", QTime(8, 0) },
        { "Operador", operador }, { "Troco", troco }, { "TotalGeral", troco } };
    if (fechada.isValid()) {
        row.insert(QStringLiteral("DataFechamento"), fechada);
        row.insert(QStringLiteral("HoraFechamento"), QTime(18, 0));
    }
    insertRow(QStringLiteral("QORFDADOS"), QStringLiteral("SessaoCx"), row);
}

RelatoriosFixture::RelatoriosFixture(bool semProjeto)
{
    admin::ligaSessaoCxBeforeDelete(tables.SessaoCx, tables.MovCaixa);
    cash::instalaPaineisDeSessao(form(), relatorios);
    admin::instalaAdministracao(form(), relatorios);
    reports::registraConexoes(RM, DM, tables.Periodo);
    reports::instalaRelatorios(form(), DM, relatorios);
    RM.rvstm1.output = &saida;
    if (!semProjeto)
        reports::installReportProject(suite.path(QStringLiteral("rpt")));
}

void RelatoriosFixture::abreRelatorios(int sessao)
{
    start();
    identify();
    trigger(QStringLiteral("act_Sessoes_relatorios"));
    data::Table& SessaoCx = tables.SessaoCx;
    if (sessao > 0)
        for (SessaoCx.first(); !SessaoCx.eof() && SessaoCx.asInteger(QStringLiteral("NumSessao")) != sessao;)
            SessaoCx.next();
    click(QStringLiteral("btn3"));
}

void RelatoriosFixture::click(const QString& botao)
{
    auto* button = find<QAbstractButton>(botao);
    QVERIFY2(button, qPrintable(botao));
    QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(botao + QStringLiteral(" can't be clicked")));
    QTest::mouseClick(button, Qt::LeftButton);
}

void RelatoriosFixture::digita(const QString& campo, const QString& texto)
{
    auto* w = find<QWidget>(campo);
    QVERIFY2(w, qPrintable(campo));
    w->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->home(false);
    QTest::keyClicks(w, texto);
}

void RelatoriosFixture::relatorioDoPeriodo(
    const QString& botao, const QString& inicio, const QString& fim, const QString& loja)
{
    click(botao);
    digita(QStringLiteral("DBEdit47"), inicio);
    digita(QStringLiteral("DBEdit48"), fim);
    find<QComboBox>(QStringLiteral("DBLaboratorio"))->setEditText(loja);
    click(QStringLiteral("BitBtn11"));
}

} // namespace qor::test
