#include "cash/session/AparenciaDePainel.h"

#include "app/widgets/DBEdit.h"

#include <QLabel>
#include <QPushButton>

namespace qor::cash {

QLabel* tituloDePainel(QWidget* panel, const QString& text, QPoint at, const QColor& cor)
{
    auto* l = new QLabel(text, panel);
    l->setObjectName(QStringLiteral("lblTitulo"));
    QFont f = l->font();
    f.setBold(true);
    f.setPixelSize(16);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, cor);
    l->setPalette(p);
    l->adjustSize();
    l->move(at);
    return l;
}

QPushButton* botaoDePainel(QWidget* panel, const QString& name, const QString& caption, const QRect& place,
                           const QColor& cor)
{
    auto* b = new QPushButton(caption, panel);
    b->setObjectName(name);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, cor);
    b->setPalette(p);
    b->setGeometry(place);
    return b;
}

namespace {

constexpr int kAltura = 21;
constexpr int kEspaco = 5;

QLabel* legendaEmNegrito(QWidget* panel, const QString& text)
{
    auto* l = new QLabel(text, panel);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    l->adjustSize();
    return l;
}

widgets::DBEdit* campoSemBorda(QWidget* panel, widgets::DataSource* fonte, const CampoSemBorda& c, int esquerda)
{
    auto* e = new widgets::DBEdit(c.nome, panel);
    e->setGeometry(esquerda, c.topo, c.largura, kAltura);
    e->setFrame(false);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, panel->palette().color(QPalette::Window));
    e->setPalette(p);
    e->setDataReadOnly(true);
    e->setTabStop(false);
    e->bind(fonte, c.campo);
    return e;
}

} // namespace

widgets::DBEdit* campoSemBordaEm(QWidget* panel, widgets::DataSource* fonte, const CampoSemBorda& c, int esquerda)
{
    QLabel* l = legendaEmNegrito(panel, c.legenda);
    l->setGeometry(esquerda - kEspaco - l->width(), c.topo, l->width(), kAltura);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return campoSemBorda(panel, fonte, c, esquerda);
}

widgets::DBEdit* campoSemBordaApos(QWidget* panel, widgets::DataSource* fonte, const CampoSemBorda& c, int esquerda)
{
    QLabel* l = legendaEmNegrito(panel, c.legenda);
    l->setGeometry(esquerda, c.topo, l->width(), kAltura);
    return campoSemBorda(panel, fonte, c, esquerda + l->width() + kEspaco);
}

} // namespace qor::cash
