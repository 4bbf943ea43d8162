#pragma once

#include "app/widgets/FieldLink.h"

#include <QComboBox>

namespace qor::widgets {

// A drop-down bound to one field. Editable: the operator picks an item or
// types any text. List: only the items can be chosen. The items are the
// caller's (filled at start-up); the field's value selects or shows.
// Unbound, it is a plain drop-down.
class DBComboBox : public QComboBox {
    Q_OBJECT
public:
    enum class Style { Editable, List };

    DBComboBox(const QString& name, Style style, QWidget* parent = nullptr);

    void bind(DataSource* source, const QString& field);
    DataSource* dataSource() const { return link_.source(); }
    const QString& dataField() const { return link_.field(); }
    Style style() const { return isEditable() ? Style::Editable : Style::List; }
    void setTabStop(bool on);

private:
    void reload();
    void writeText(const QString& text);

    FieldLink link_;
};

} // namespace qor::widgets
