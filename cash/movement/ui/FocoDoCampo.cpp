#include "cash/movement/ui/FocoDoCampo.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>

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
        if (!dentro_ && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            dentro_ = true;
            if (entrou_)
                entrou_();
        }
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (!dentro_ || reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason ||
            contem(QApplication::focusWidget()))
            return false;
        dentro_ = false;
        if (saiu_)
            saiu_();
    }
    return false;
}

} // namespace qor::cash
