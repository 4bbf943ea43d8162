#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace qor::widgets {
class DataSource;
class DBEdit;
}

namespace qor::cash {

// The title inside a panel: bold, larger than the text around it.
QLabel* tituloDePainel(QWidget* panel, const QString& text, QPoint at, const QColor& cor = QColor(Qt::darkBlue));

// A panel's push button with its caption in bold and in `cor`.
QPushButton* botaoDePainel(QWidget* panel, const QString& name, const QString& caption, const QRect& place,
                           const QColor& cor);

// A bold caption with a borderless read-only field of `campo` on the
// panel's own background, out of the Tab order, 21 high at `topo`.
struct CampoSemBorda {
    QString legenda;
    QString nome;
    QString campo;
    int topo;
    int largura;
};
// The field at `esquerda`, its caption right-aligned just before it.
widgets::DBEdit* campoSemBordaEm(QWidget* panel, widgets::DataSource* fonte, const CampoSemBorda& c, int esquerda);
// The caption at `esquerda`, its field just after it.
widgets::DBEdit* campoSemBordaApos(QWidget* panel, widgets::DataSource* fonte, const CampoSemBorda& c, int esquerda);

} // namespace qor::cash
