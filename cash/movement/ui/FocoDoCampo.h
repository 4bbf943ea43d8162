#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace qor::cash {

// Tells when the focus enters and leaves one control, as a control's own
// enter and exit handlers see it: a message box or a drop-down list taking
// the keyboard for a while, and the window getting it back, are neither an
// exit nor an entry; the editor inside a drop-down counts as the drop-down;
// and a control that loses a focus it never really got (an exit handler
// moved it elsewhere first) runs no exit.
class FocoDoCampo final : public QObject {
    Q_OBJECT
public:
    FocoDoCampo(QWidget* campo, std::function<void()> entrou, std::function<void()> saiu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool contem(const QWidget* w) const;
    void entra();

    QWidget* campo_;
    std::function<void()> entrou_;
    std::function<void()> saiu_;
    bool dentro_ = false;
    bool pendente_ = false; // got the focus back with the window, not yet an entry
};

} // namespace qor::cash
