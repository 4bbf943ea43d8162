#include "cash/session/GradeDeTotais.h"

#include "app/widgets/DBEdit.h"

#include <QLabel>

namespace qor::cash {

QColor corDeLegendaInativa() { return QColor(0xD7, 0xE4, 0xF2); }

void criaGradeDeTotais(QWidget* panel, widgets::DataSource* fonte, const QString& prefixo, const QStringList& titulos,
                       const QList<LinhaDeTotais>& linhas, const GeometriaDeTotais& g)
{
    for (int c = 0; c < titulos.size(); ++c) {
        auto* titulo = new QLabel(titulos.at(c), panel);
        QFont bold = titulo->font();
        bold.setBold(true);
        titulo->setFont(bold);
        titulo->adjustSize();
        titulo->move(g.esquerdaTitulos.at(c), g.topoTitulos);
    }
    for (int i = 0; i < linhas.size(); ++i) {
        const LinhaDeTotais& linha = linhas.at(i);
        const bool sombreada = i % 2 == 0;
        const int topo = g.topoPrimeiraLinha + i * g.passo;
        if (sombreada) {
            auto* faixa = new QWidget(panel);
            faixa->setAutoFillBackground(true);
            QPalette p = faixa->palette();
            p.setColor(QPalette::Window, corDeLegendaInativa());
            faixa->setPalette(p);
            faixa->setGeometry(g.esquerdaLegenda - 4, topo - 1, g.larguraFaixa, g.alturaCampo + 2);
        }
        auto* legenda = new QLabel(linha.legenda, panel);
        legenda->setGeometry(g.esquerdaLegenda, topo, g.esquerdaCampos.first() - g.esquerdaLegenda - 6, g.alturaCampo);
        legenda->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const QString campos[] = {linha.entradas, linha.saidas, linha.saldo};
        for (int c = 0; c < 3; ++c) {
            auto* edit = new widgets::DBEdit(prefixo + campos[c], panel);
            edit->setGeometry(g.esquerdaCampos.at(c), topo, g.larguraCampo, g.alturaCampo);
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            edit->setDataReadOnly(true);
            edit->setTabStop(false);
            edit->setDisplayFormat(QStringLiteral("###,##0.00"));
            if (sombreada) {
                QPalette p = edit->palette();
                p.setColor(QPalette::Base, corDeLegendaInativa());
                edit->setPalette(p);
            }
            edit->bind(fonte, campos[c]);
        }
    }
}

} // namespace qor::cash
