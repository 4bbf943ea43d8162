#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace qor::cash {

// The title inside a panel: bold, larger than the text around it.
QLabel* tituloDePainel(QWidget* panel, const QString& text, QPoint at, const QColor& cor = QColor(Qt::darkBlue));

// A panel's push button with its caption in bold and in `cor`.
QPushButton* botaoDePainel(QWidget* panel, const QString& name, const QString& caption, const QRect& place,
                           const QColor& cor);

} // namespace qor::cash
