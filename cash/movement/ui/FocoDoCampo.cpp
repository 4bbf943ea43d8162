#include "cash/movement/ui/FocoDoCampo.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

namespace qor::cash {

FocoDoCampo::FocoDoCampo(QWidget* campo, std::function<void()> entrou, std::function<void()> saiu)
    : QObject(campo), campo_(campo), entrou_(std::move(entrou)), saiu_(std::move(saiu))
{
    campo->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(campo); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(this);
}

bool FocoDoCampo::contem(const QWidget* w) const { return w && (w == campo_ || campo_->isAncestorOf(w)); }

bool FocoDoCampo::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (dentro_ || reason == Qt::PopupFocusReason)
            return false;
        if (reason != Qt::ActiveWindowFocusReason) {
            entra();
            return false;
        }
        // The window got the keyboard back. If an exit handler is moving the
        // focus on at this moment, the control loses it again at once, and
        // that was no entry; otherwise it is one, seen once the events settle.
        pendente_ = true;
        QTimer::singleShot(0, this, [this] {
            if (pendente_ && contem(QApplication::focusWidget()))
                entra();
            pendente_ = false;
        });
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            pendente_ = false;
        if (!dentro_ || reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason ||
            contem(QApplication::focusWidget()))
            return false;
        dentro_ = false;
        if (saiu_)
            saiu_();
    }
    return false;
}

void FocoDoCampo::entra()
{
    pendente_ = false;
    dentro_ = true;
    if (entrou_)
        entrou_();
}

} // namespace qor::cash
