#include "app/widgets/AmountField.h"

#include "data/base/Text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace qor::widgets {

using Kind = text::AmountReading::Kind;

QValidator::State AmountValidator::validate(QString& input, int&) const
{
    switch (text::readAmount(input).kind) {
    case Kind::NotAnAmount:
        return Invalid;
    case Kind::Unfinished:
        return Intermediate;
    case Kind::Blank:
    case Kind::Amount:
        break;
    }
    return Acceptable;
}

AmountField* AmountField::install(QLineEdit* edit)
{
    if (AmountField* installed = of(edit))
        return installed;
    return new AmountField(edit);
}

AmountField* AmountField::of(const QLineEdit* edit)
{
    return edit->findChild<AmountField*>(QString(), Qt::FindDirectChildrenOnly);
}

AmountField::AmountField(QLineEdit* edit) : QObject(edit), edit_(edit)
{
    beep = [] { QApplication::beep(); };
    edit->setValidator(new AmountValidator(this));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::inputRejected, this, [this] {
        if (operatorInput_)
            beep();
    });
    connect(edit, &QLineEdit::textEdited, this, &AmountField::showAsTyped);
}

static bool isOperatorInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonRelease: // pasting the selection
    case QEvent::Drop:
    case QEvent::ContextMenu:        // its "Paste"
        return true;
    default:
        return false;
    }
}

// The keypad's decimal key types "." or "," as the keyboard layout says.
static bool isDecimalKey(const QKeyEvent* k)
{
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString typed = k->text();
    return typed == QLatin1String(".") || ((k->modifiers() & Qt::KeypadModifier) && typed == QLatin1String(","));
}

bool AmountField::eventFilter(QObject* watched, QEvent* event)
{
    operatorInput_ = isOperatorInput(event->type());
    if (watched == edit_ && event->type() == QEvent::KeyPress && !edit_->isReadOnly()
        && isDecimalKey(static_cast<QKeyEvent*>(event))) {
        typeDecimalComma();
        return true;
    }
    return false;
}

void AmountField::typeDecimalComma()
{
    QString rest = edit_->text();
    if (edit_->hasSelectedText())
        rest.remove(edit_->selectionStart(), edit_->selectedText().size());
    if (rest.contains(QLatin1Char(','))) {
        beep();
        return;
    }
    edit_->insert(QStringLiteral(",")); // the validator may still refuse it ("1,234")
}

void AmountField::showAsTyped()
{
    const QString shown = edit_->text();
    const text::AmountReading r = text::readAmount(shown);
    if (r.kind == Kind::NotAnAmount || r.editText == shown)
        return;
    const qsizetype fromEnd = shown.size() - edit_->cursorPosition();
    edit_->setText(r.editText);
    edit_->setCursorPosition(int(qMax<qsizetype>(0, r.editText.size() - fromEnd)));
}

} // namespace qor::widgets
