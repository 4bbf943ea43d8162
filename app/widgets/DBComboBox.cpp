#include "app/widgets/DBComboBox.h"

#include "app/widgets/FieldFormat.h"

#include <QLineEdit>

namespace qor::widgets {

DBComboBox::DBComboBox(const QString& name, Style style, QWidget* parent)
    : QComboBox(parent), link_(this, [this] { reload(); }, [] {})
{
    setObjectName(name);
    setEditable(style == Style::Editable);
    setInsertPolicy(QComboBox::NoInsert);
    if (QLineEdit* edit = lineEdit())
        connect(edit, &QLineEdit::textEdited, this, &DBComboBox::writeText);
    connect(this, &QComboBox::activated, this, [this](int index) { writeText(itemText(index)); });
}

void DBComboBox::bind(DataSource* source, const QString& field) { link_.bind(source, field); }

void DBComboBox::setTabStop(bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); }

void DBComboBox::reload()
{
    if (!link_.source())
        return; // a plain drop-down keeps what the operator chose
    const QString text = DisplayFormat().display(link_.value(), link_.kind());
    const int index = findText(text, Qt::MatchExactly);
    setCurrentIndex(index);
    if (isEditable())
        setEditText(text);
}

void DBComboBox::writeText(const QString& text)
{
    if (!link_.hasValue())
        return;
    QVariant v;
    if (parseFieldText(text, link_.kind(), &v))
        link_.write(v);
}

} // namespace qor::widgets
