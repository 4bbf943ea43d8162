#pragma once

#include "app/widgets/FieldFormat.h"
#include "app/widgets/FieldLink.h"

#include <QLineEdit>

namespace qor::widgets {

// An edit box bound to one field: shows the current row's value (with the
// display format when it has no focus), and writes what the operator types
// into the row as he types, putting the row into editing first. On a float
// field it takes typing as an amount field (AmountField).
class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(const QString& name, QWidget* parent = nullptr);

    void bind(DataSource* source, const QString& field);
    DataSource* dataSource() const { return link_.source(); }
    const QString& dataField() const { return link_.field(); }

    void setDisplayFormat(const QString& pattern);
    // In the suite's mask notation ("AA.######", "!99/99/0000;1;_").
    void setEditMask(const QString& suiteMask);
    const EditMask& editMask() const { return mask_; }
    // Read-only: shows the value, the operator cannot change it.
    void setDataReadOnly(bool on) { setReadOnly(on); }
    // Without a tab stop the box is skipped by Tab and reached by a click.
    void setTabStop(bool on);

    // The text as the field receives it: with a mask, blanks as spaces
    // ("" when nothing was typed).
    QString fieldText() const;
    // The typed text is no value of the field (kept on screen, not written).
    bool hasInvalidText() const { return invalid_; }

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void reload();
    void flush();
    void onTextEdited();

    FieldLink link_;
    DisplayFormat format_;
    EditMask mask_;
    bool invalid_ = false;
};

} // namespace qor::widgets
