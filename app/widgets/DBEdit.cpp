#include "app/widgets/DBEdit.h"

#include "app/widgets/AmountField.h"
#include "data/base/Error.h"

namespace qor::widgets {

DBEdit::DBEdit(const QString& name, QWidget* parent)
    : QLineEdit(parent), link_(this, [this] { reload(); }, [this] { flush(); })
{
    setObjectName(name);
    connect(this, &QLineEdit::textEdited, this, &DBEdit::onTextEdited);
}

void DBEdit::bind(DataSource* source, const QString& field) { link_.bind(source, field); }

void DBEdit::setDisplayFormat(const QString& pattern)
{
    format_ = DisplayFormat(pattern);
    reload();
}

void DBEdit::setEditMask(const QString& suiteMask)
{
    mask_ = EditMask(suiteMask);
    setInputMask(mask_.isEmpty() ? QString() : mask_.qtMask());
    reload();
}

void DBEdit::setTabStop(bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); }

QString DBEdit::fieldText() const { return mask_.isEmpty() ? text() : mask_.valueText(displayText()); }

void DBEdit::reload()
{
    invalid_ = false;
    const QVariant v = link_.value();
    const data::FieldKind kind = link_.kind();
    if (kind == data::FieldKind::Float)
        AmountField::install(this);
    if (!hasFocus()) {
        setText(format_.display(v, kind));
        return;
    }
    // Keep the operator's place: a masked box would otherwise put the cursor
    // past its last blank, where typing goes nowhere.
    const int position = cursorPosition();
    setText(format_.edit(v, kind));
    setCursorPosition(position);
}

void DBEdit::onTextEdited()
{
    if (isReadOnly() || !link_.hasValue())
        return;
    QVariant v;
    invalid_ = !parseFieldText(fieldText(), link_.kind(), &v);
    if (!invalid_)
        link_.write(v);
}

void DBEdit::flush()
{
    if (invalid_)
        throw Error(kind::InvalidValue,
                    QStringLiteral("'%1' não é um valor válido para o campo %2").arg(fieldText().trimmed(), link_.field()));
}

void DBEdit::focusInEvent(QFocusEvent* e)
{
    if (!invalid_)
        reload();
    QLineEdit::focusInEvent(e);
}

void DBEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (!invalid_)
        reload();
}

} // namespace qor::widgets
