#pragma once

// Internal to the order-database library: a prepared statement, its input
// message built from bound values and its output message read into rows.

#include "data/orderdb/Column.h"
#include "data/orderdb/FbSession.h"

#include <QList>
#include <QVariantList>

#include <functional>
#include <vector>

namespace qor::orderdb::fb {

class Statement {
public:
    // Prepares `sql` (with "?" markers); raises StatementRejected naming it.
    Statement(Session& session, Transaction& transaction, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    const QList<Column>& columns() const { return columns_; }
    bool returnsRows() const;

    // One value per marker, in order; raises InvalidValue or Encoding.
    void bind(const QVariantList& values);

    // Runs a statement without rows; returns the rows it changed. The
    // context of a failure is only built when one happens.
    quint64 execute(Transaction& transaction, Step step, const std::function<QString()>& context);
    // Runs a SELECT and reads every row, values as normalize() gives them.
    QList<QVariantList> fetchAll(Transaction& transaction);

    // Where one value lies in a message.
    struct Field {
        unsigned type = 0;
        unsigned length = 0;
        unsigned offset = 0;
        unsigned nullOffset = 0;
        int scale = 0;
    };

private:
    std::vector<Field> layout(Firebird::IMessageMetadata* metadata);
    void describeOutput();
    void releaseAll();

    Session& session_;
    QString sql_;
    Firebird::IStatement* statement_ = nullptr;
    Firebird::IMessageMetadata* inMetadata_ = nullptr;  // as the server describes the markers
    Firebird::IMessageMetadata* boundMetadata_ = nullptr; // as bound (text markers resized)
    std::vector<unsigned char> inBuffer_;
    Firebird::IMessageMetadata* outMetadata_ = nullptr;
    std::vector<Field> outFields_;
    std::vector<unsigned char> outBuffer_;
    QList<Column> columns_;
};

} // namespace qor::orderdb::fb
