#include "cash/session/AparenciaDePainel.h"

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

} // namespace qor::cash
