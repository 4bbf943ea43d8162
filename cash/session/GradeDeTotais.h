#pragma once

#include <QColor>
#include <QList>
#include <QString>

class QWidget;

namespace qor::widgets {
class DataSource;
}

namespace qor::cash {

// The system colour of an inactive window's caption gradient, the shade of
// every other line of a totals table. Qt's palette has no role for it; this
// is its standard value.
QColor corDeLegendaInativa();

// One line of a session's totals table: its caption and the SessaoCx fields
// of its entries, exits and balance.
struct LinhaDeTotais {
    QString legenda;
    QString entradas;
    QString saidas;
    QString saldo;
};

// Where a totals table lies on its panel.
struct GeometriaDeTotais {
    int topoTitulos;        // the column headings
    QList<int> esquerdaTitulos;
    int topoPrimeiraLinha;
    int passo;              // from one line to the next
    int esquerdaLegenda;
    int larguraFaixa;       // the shade, from the caption to past the last column
    QList<int> esquerdaCampos;
    int larguraCampo;
    int alturaCampo;
};

// Lays a read-only table of a session's totals out on `panel`: three column
// headings, then one line per entry of `linhas`, a caption and three edits
// bound through `fonte` with the amount format, none reachable with Tab;
// lines shaded alternately, the first one shaded. Each edit is named
// `prefixo` followed by its field.
void criaGradeDeTotais(QWidget* panel, widgets::DataSource* fonte, const QString& prefixo, const QStringList& titulos,
                       const QList<LinhaDeTotais>& linhas, const GeometriaDeTotais& g);

} // namespace qor::cash
