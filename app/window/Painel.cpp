#include "app/window/Painel.h"

#include "app/window/ClientAlign.h"

#include <QApplication>

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

void Painel::setVisible(bool visible)
{
    const bool estavaEscondido = isHidden();
    const bool escondendo = !visible && !estavaEscondido;
    // Handed on once the panel is hidden: its controls' exit handlers see a
    // hidden panel, as with any other way the focus leaves it while closing.
    const bool tinhaFoco = escondendo && contemOFoco();
    if (visible && estavaEscondido) {
        QWidget* foco = QApplication::focusWidget();
        focoAnterior_ = foco && !isAncestorOf(foco) ? foco : nullptr;
    }
    QFrame::setVisible(visible);
    if (escondendo)
        aoEsconder(tinhaFoco);
    if (visible && estavaEscondido && cobreOsVizinhos_)
        cobreVizinhos();
}

void Painel::cobreVizinhos()
{
    if (!parentWidget())
        return;
    QList<QWidget*> vizinhos;
    bool focoEmbaixo = false;
    QWidget* foco = QApplication::focusWidget();
    for (QWidget* vizinho : parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (vizinho != this && vizinho->isEnabled()) {
            vizinhos << vizinho;
            focoEmbaixo = focoEmbaixo || (foco && (foco == vizinho || vizinho->isAncestorOf(foco)));
        }
    }
    // Straight onto the panel: a disabled control would pass the focus on
    // to its neighbours first, one after the other.
    if (focoEmbaixo)
        focaPrimeiroCampo();
    cobertos_.clear();
    for (QWidget* vizinho : std::as_const(vizinhos)) {
        cobertos_ << vizinho;
        vizinho->setEnabled(false);
    }
}

void Painel::aoEsconder(bool tinhaFoco)
{
    for (const QPointer<QWidget>& vizinho : std::as_const(cobertos_))
        if (vizinho)
            vizinho->setEnabled(true);
    cobertos_.clear();
    if (tinhaFoco)
        destinoDoFoco()->setFocus(Qt::OtherFocusReason);
}

bool Painel::contemOFoco() const
{
    QWidget* foco = QApplication::focusWidget();
    return foco && (foco == this || isAncestorOf(foco));
}

QWidget* Painel::destinoDoFoco() const
{
    QWidget* anterior = focoAnterior_;
    if (anterior && anterior->isVisible() && anterior->isEnabled() && !isAncestorOf(anterior))
        return anterior;
    return window();
}

} // namespace qor::app
