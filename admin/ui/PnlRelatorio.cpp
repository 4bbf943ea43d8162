#include "admin/ui/PnlRelatorio.h"

#include "app/widgets/RunHandler.h"
#include "app/window/TForm1.h"
#include "reports/hook/ReportRunner.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace qor::admin {

namespace {

QGroupBox* grupo(QWidget* parent, const QString& name, const QString& caption, const QColor& cor)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    QFont f = box->font();
    f.setBold(true);
    box->setFont(f);
    QPalette p = box->palette();
    p.setColor(QPalette::WindowText, cor);
    box->setPalette(p);
    return box;
}

} // namespace

PnlRelatorio::PnlRelatorio(app::TForm1& form, reports::ReportRunner& relatorios, QWidget* parent)
    : app::Painel(QStringLiteral("pnlRelatorio"), QString(), parent), form_(form), relatorios_(relatorios)
{
    setCobreOsVizinhos(true);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);

    QGroupBox* grp2 = grupo(this, QStringLiteral("grp2"), QStringLiteral("  Relatórios por Sessão  "), QColor(Qt::darkGreen));
    auto* porSessao = new QGridLayout(grp2);
    porSessao->addWidget(comando(grp2, QStringLiteral("btn5"), QStringLiteral("Resumo")), 0, 0);
    porSessao->addWidget(comando(grp2, QStringLiteral("btn14"), QStringLiteral("Resumo por Forma de Pagamento")), 0, 1);
    porSessao->addWidget(comando(grp2, QStringLiteral("btn7"), QStringLiteral("Detalhado - Com Valor Original")), 1, 0, 1, 2);
    porSessao->addWidget(comando(grp2, QStringLiteral("btn6"), QStringLiteral("Detalhado - Sem Valor Original")), 2, 0, 1, 2);

    QGroupBox* grp1 = grupo(this, QStringLiteral("grp1"), QStringLiteral("  Relatórios por Período  "), QColor(Qt::darkBlue));
    auto* porPeriodo = new QGridLayout(grp1);
    porPeriodo->addWidget(comando(grp1, QStringLiteral("btn8"), QStringLiteral("Resumo das Vendas")), 0, 0);
    porPeriodo->addWidget(comando(grp1, QStringLiteral("btn12"), QStringLiteral("Detalhado")), 1, 0);
    porPeriodo->addWidget(comando(grp1, QStringLiteral("btn9"), QStringLiteral("Resumo - Vendas / Loja")), 0, 1);
    porPeriodo->addWidget(comando(grp1, QStringLiteral("btn13"), QStringLiteral("Detalhado por Loja")), 1, 1);
    porPeriodo->addWidget(comando(grp1, QStringLiteral("btn15"), QStringLiteral("Resumo das Saídas")), 0, 2);
    QPushButton* btn16 = comando(grp1, QStringLiteral("btn16"), QStringLiteral("Detalhado"));
    btn16->setToolTip(QStringLiteral("Detalhamento das Saídas"));
    porPeriodo->addWidget(btn16, 1, 2);

    QGroupBox* grpControle = grupo(this, QStringLiteral("grpControle"), QStringLiteral("  Controle  "), QColor(Qt::darkRed));
    auto* controle = new QGridLayout(grpControle);
    controle->addWidget(comando(grpControle, QStringLiteral("btnParcial"), QStringLiteral("Parcial do Caixa")), 0, 0);
    controle->addWidget(comando(grpControle, QStringLiteral("btnConciliacao"), QStringLiteral("Conciliação com os Pedidos")), 0, 1);
    controle->addWidget(comando(grpControle, QStringLiteral("btnSinaisEmAberto"), QStringLiteral("Sinais em Aberto")), 0, 2);

    QPushButton* btn2 = comando(this, QStringLiteral("btn2"), QStringLiteral("Fechar Painel de Relatórios"));
    btn2->setEnabled(true);
    QPalette maroon = btn2->palette();
    maroon.setColor(QPalette::ButtonText, QColor(Qt::darkRed));
    btn2->setPalette(maroon);
    app::connectHandler(btn2, &QPushButton::clicked, this, form_.ctx().boxes, [this] { btn2Click(); });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 10);
    column->addWidget(grp2);
    column->addWidget(grp1);
    column->addWidget(grpControle);
    column->addStretch();
    column->addWidget(btn2);
}

QPushButton* PnlRelatorio::comando(QWidget* box, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, box);
    b->setObjectName(name);
    b->setFlat(true);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    b->setMinimumHeight(28);
    b->setEnabled(false);
    return b;
}

QPushButton* PnlRelatorio::botao(const QString& name) const { return findChild<QPushButton*>(name); }

void PnlRelatorio::btn2Click()
{
    relatorios_.fechaProjeto();
    hide();
}

} // namespace qor::admin
