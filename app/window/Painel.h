#pragma once

#include <QFrame>
#include <QRect>
#include <QString>

namespace qor::app {

// A panel of the main window: hidden until its command shows it, shown over
// the others, closed by hiding it. Real panels derive from it, keep the
// objectName given here and lay their controls out themselves.
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

private:
    QString titulo_;
};

} // namespace qor::app
