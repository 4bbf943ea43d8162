#pragma once

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QTime>
#include <QVariant>

namespace qor::data {

enum class FieldKind { Integer, Float, Date, Time, DateTime, Text };

struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::Text;
    int size = 0; // characters, for Text only
};

enum class DataSetState { Inactive, Browse, Edit, Insert };

// A cursor over rows with the operations the cash code relies on: open and
// close, move, count, edit the current row, filter by expression text.
// Table (a local table) and Query (a local SQL statement) are the two kinds.
// Data-aware controls and report data connections bind to this class.
//
// Values: a null float reads 0.0, a null text "", a null integer 0; isNull()
// tells. Setting an empty text stores null; trailing blanks are stripped and
// text is cut to its field size. Every error raises qor::Error.
class DataSet : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~DataSet() override = default;

    virtual void open() = 0;
    virtual void close() = 0;
    bool active() const { return state() != DataSetState::Inactive; }
    virtual DataSetState state() const = 0;

    virtual void first() = 0;
    virtual void last() = 0;
    virtual void next() = 0;
    virtual void prior() = 0;
    virtual bool eof() const = 0;   // after next() past the last row, or empty
    virtual bool bof() const = 0;   // after prior() before the first row, or empty
    virtual int recordCount() = 0;  // rows visible through the filter
    // To the row at `recNo` (0 = the first) of the order, through the filter;
    // past the last row: to the last, eof() set. By default a walk from the
    // first row; a table goes there straight.
    virtual void moveToRecNo(int recNo);
    bool isEmpty() { return recordCount() == 0; }

    virtual const QList<FieldDef>& fields() const = 0;
    bool hasField(const QString& name) const;
    int fieldIndex(const QString& name) const; // case-insensitive; throws FieldNotFound

    virtual QVariant value(const QString& field) const = 0;  // null QVariant for null
    virtual void setValue(const QString& field, const QVariant& v) = 0; // needs Edit/Insert
    bool isNull(const QString& field) const { return value(field).isNull(); }
    QString asString(const QString& field) const;
    int asInteger(const QString& field) const;
    double asFloat(const QString& field) const;
    QDate asDate(const QString& field) const;
    QTime asTime(const QString& field) const;

    virtual void append() = 0;  // new row at the end, state Insert
    virtual void edit() = 0;    // state Edit on the current row
    virtual void post() = 0;    // store; on failure raises and stays in Edit/Insert
    virtual void cancel() = 0;  // drop unposted changes
    virtual void remove() = 0;  // delete the current row (runs before-delete hook)
    virtual void refresh() = 0;

    virtual void setFilter(const QString& text) = 0;
    virtual QString filter() const = 0;
    virtual void setFiltered(bool on) = 0;
    virtual bool filtered() const = 0;

    // Current position as an opaque bookmark (restored by goToBookmark).
    virtual QVariant bookmark() const = 0;
    virtual void goToBookmark(const QVariant& b) = 0;

signals:
    void stateChanged();   // opened, closed, edit/insert begun, posted, cancelled
    void rowChanged();     // the current row moved or its values changed
    void fieldChanged(const QString& field);
};

} // namespace qor::data
