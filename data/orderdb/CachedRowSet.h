#pragma once

#include "data/orderdb/Decimal.h"
#include "data/orderdb/RowData.h"

#include <QDate>
#include <QObject>
#include <QTime>

#include <optional>

namespace qor::orderdb {

class Provider;

// A cached row set (PEDIDOS, Usuarios, Estacoes): open() runs its
// provider's command and keeps every row in memory; the Parts read and edit
// fields by column name (without regard to case) and post into the cache,
// which logs the change; applyUpdates() sends the logged changes to the
// server. close() drops whatever was not applied.
//
// Reading: a null number reads 0, a null text "", a null date or time an
// invalid one; isNull() tells. decimal(15,2) columns are exact: asDecimal()
// gives the scaled integer, asFloat() the nearest double. CHAR values come
// without their padding.
// Writing: setValue() takes the kinds normalize() accepts; an empty text
// stores null; decimals round half away from zero to the column's places;
// a character Windows-1252 cannot hold raises Encoding. Moving to another
// row, applying or refreshing posts a pending edit first.
class CachedRowSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit };

    explicit CachedRowSet(Provider& provider, QObject* parent = nullptr);

    void open(); // raises like the command's fetchAll(); stays closed then
    void close();
    bool active() const { return state_ != State::Inactive; }
    State state() const { return state_; }

    int recordCount() const;
    void first();
    void next();
    bool eof() const;
    bool bof() const;
    int recNo() const { return row_ + 1; } // 1-based; 0 when empty or closed

    // Finds the first row whose column equals the value exactly (text case
    // sensitive) and makes it current; false leaves the position alone.
    bool locate(const QString& field, const QVariant& value);

    const QList<Column>& fields() const { return columns_; }
    bool hasField(const QString& name) const;
    int fieldIndex(const QString& name) const; // raises FieldNotFound

    QVariant value(const QString& field) const; // Decimal as double; null invalid
    bool isNull(const QString& field) const;
    QString asString(const QString& field) const; // decimals "1234.56", dates ISO
    int asInteger(const QString& field) const;
    double asFloat(const QString& field) const;
    Decimal asDecimal(const QString& field) const; // raises InvalidValue on other kinds
    QDate asDate(const QString& field) const;
    QTime asTime(const QString& field) const;

    void edit();                                             // needs a current row
    void setValue(const QString& field, const QVariant& v); // needs Edit (NotEditing)
    void post();                                             // into the cache and its change log
    void cancel();                                           // drops the unposted edit

    int changeCount() const; // rows with posted changes not yet applied
    // One UPDATE per changed row, no error tolerated: on failure nothing is
    // written, the changes stay logged and the error is raised.
    void applyUpdates();
    void cancelUpdates(); // back to the fetched values
    // Fetches the rows again, keeping the current row by its key when it is
    // still there. Logged changes must be applied first (InvalidValue).
    void refresh();

private:
    const QVariantList& currentRow() const;
    void requireActive() const;
    void requireRow() const;
    void postIfEditing();
    void load(RowData data);

    Provider& provider_;
    State state_ = State::Inactive;
    QList<Column> columns_;
    QList<QVariantList> rows_;
    QList<std::optional<QVariantList>> originals_; // per row: fetched values once changed
    QVariantList editBuffer_;
    int row_ = -1;
    bool eof_ = true;
    bool bof_ = true;
};

} // namespace qor::orderdb
