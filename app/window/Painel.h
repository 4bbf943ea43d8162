#pragma once

#include <QFrame>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>

namespace qor::app {

// A panel of the main window: hidden until its command shows it, shown over
// the others, closed by hiding it. Real panels derive from it, keep the
// objectName given here and lay their controls out themselves.
//
// A panel that hides with the keyboard focus inside hands it on: to the
// control that had it when the panel was shown, when that one is still
// there to take it, otherwise to the main window. Left to Qt, the focus
// would stay on the hidden control whenever nothing else visible takes it,
// and keys would keep reaching the hidden panel instead of the menus.
class Painel : public QFrame {
    Q_OBJECT
public:
    Painel(const QString& name, const QString& titulo, QWidget* parent = nullptr);

    // The title shown inside the panel ("" for none).
    const QString& titulo() const { return titulo_; }

    // Placed at top 6, left 5, then aligned to the client area (below the
    // toolbar, following the window's size); made visible on top.
    void mostraNaAreaCliente();
    // Placed at a fixed rectangle of the parent; made visible on top.
    void mostraEm(const QRect& place);
    // Closing a panel hides it; its placement is left as it was.
    void esconde() { hide(); }
    bool alinhadoAoCliente() const;

    // The control that gets the focus when the panel opens: by default the
    // first one in the tab order that takes the focus.
    virtual QWidget* primeiroCampo() const;
    void focaPrimeiroCampo();

    // A panel shown over the whole of its parent panel: while it shows, the
    // parent's other controls take neither keys nor clicks.
    void setCobreOsVizinhos(bool cobre) { cobreOsVizinhos_ = cobre; }

    void setVisible(bool visible) override;

private:
    void cobreVizinhos();
    void aoEsconder(bool tinhaFoco);
    bool contemOFoco() const;
    QWidget* destinoDoFoco() const;

    QString titulo_;
    bool cobreOsVizinhos_ = false;
    QPointer<QWidget> focoAnterior_;
    QList<QPointer<QWidget>> cobertos_;
};

} // namespace qor::app
