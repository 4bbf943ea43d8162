#include "app/window/Painel.h"

#include "app/window/ClientAlign.h"

namespace qor::app {

Painel::Painel(const QString& name, const QString& titulo, QWidget* parent) : QFrame(parent), titulo_(titulo)
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    hide();
}

void Painel::mostraNaAreaCliente()
{
    move(5, 6);
    ClientAlign::apply(this);
    show();
    raise();
}

void Painel::mostraEm(const QRect& place)
{
    ClientAlign::release(this);
    setGeometry(place);
    show();
    raise();
}

bool Painel::alinhadoAoCliente() const { return ClientAlign::isApplied(this); }

QWidget* Painel::primeiroCampo() const
{
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy())
            return w;
    }
    return nullptr;
}

void Painel::focaPrimeiroCampo()
{
    if (QWidget* w = primeiroCampo())
        w->setFocus(Qt::OtherFocusReason);
}

} // namespace qor::app
