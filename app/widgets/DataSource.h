#pragma once

#include "app/state/MessageBoxes.h"
#include "data/local/DataSet.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

namespace qor::widgets {

class DataSource;

// What a data-aware control does for its data source: reload what it shows,
// and hand over the text the operator typed (updateRecord).
class DataLink {
public:
    virtual ~DataLink() = default;
    // The bound field's value to write back before a post; raises
    // qor::Error(kind InvalidValue) when the typed text is no value of the field.
    virtual void updateRecord() = 0;
};

// Binds on-screen controls to one dataset (DSSessaoCx -> SessaoCx, ...).
// Controls bind to the data source, never to the dataset directly, so the
// data source can hold their updates back while a grid reads ahead
// (disableControls) and can collect their typed text before a post.
//
// Typing into a bound control of a dataset in Browse puts the current row
// into editing (auto-edit), as the operator would expect.
class DataSource : public QObject {
    Q_OBJECT
public:
    // Errors of the controls' own work (putting a row into editing, writing
    // a typed value) reach the unexpected-error display of `boxes`.
    DataSource(const QString& name, data::DataSet* dataSet, app::MessageBoxes& boxes, QObject* parent = nullptr);

    app::MessageBoxes& boxes() const { return boxes_; }

    data::DataSet* dataSet() const { return dataSet_; }
    void setDataSet(data::DataSet* dataSet);

    bool isActive() const { return dataSet_ && dataSet_->active(); }
    bool isEditing() const;

    // Puts the current row into editing when the dataset is open in Browse.
    // Returns true when the row is in Edit or Insert afterwards.
    bool beginEdit();

    // Writes every bound control's pending text into the row; raises
    // InvalidValue for a text its field cannot take (the row is not posted).
    void updateRecord();
    // updateRecord() then post(): the way to store a row edited on screen.
    void post();

    // While disabled, the dataset's signals do not reach the controls; the
    // matching enableControls() tells them all once that the row and state
    // may have changed. Nested calls count.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

    void addLink(DataLink* link);
    void removeLink(DataLink* link);

signals:
    void dataSetChanged();
    void stateChanged();
    void rowChanged();
    void fieldChanged(const QString& field);

private:
    app::MessageBoxes& boxes_;
    QPointer<data::DataSet> dataSet_;
    QList<QMetaObject::Connection> connections_;
    QList<DataLink*> links_;
    int disabled_ = 0;
};

// Holds a data source's controls back for one scope.
class ControlsDisabled {
public:
    explicit ControlsDisabled(DataSource& source) : source_(source) { source_.disableControls(); }
    ~ControlsDisabled() { source_.enableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    DataSource& source_;
};

} // namespace qor::widgets
