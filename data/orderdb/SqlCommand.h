#pragma once

#include "data/orderdb/RowData.h"

#include <QHash>
#include <QObject>
#include <QVariant>

namespace qor::orderdb {

class SQLConnection;

// An SQL command object (SQLDS_Pedidos, ...): a statement text with bound
// values for its markers ("?" in order, or ":name"). Typed values always go
// in as bound values, never pasted into the text.
class SqlCommand : public QObject {
    Q_OBJECT
public:
    explicit SqlCommand(SQLConnection& connection, QObject* parent = nullptr);

    SQLConnection& connection() const { return connection_; }

    // Replacing the text drops the values bound for the previous one.
    void setCommandText(const QString& sql);
    QString commandText() const { return commandText_; }

    void bindValue(const QString& name, const QVariant& value); // ":name", without regard to case
    void addBindValue(const QVariant& value);                   // the next "?"
    void clearBindValues();

    // Runs a statement without rows in a transaction of its own; returns
    // the rows changed. Raises NotConnected, StatementRejected,
    // ServerUnreachable, InvalidValue (a value that does not fit its marker,
    // a marker without a value) or Encoding.
    quint64 execute();
    // Runs the SELECT and reads every row, in a transaction of its own.
    RowData fetchAll();

private:
    QVariantList valuesFor(const QStringList& names) const;

    SQLConnection& connection_;
    QString commandText_;
    QHash<QString, QVariant> named_;
    QVariantList positional_;
};

} // namespace qor::orderdb
