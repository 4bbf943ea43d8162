#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace qor::data {

class Database;

// One prepared SQLite statement. step() returns true while a row is there;
// errors are raised through the owning Database's error mapping.
class Statement {
public:
    Statement(Database& db, const QString& sql, bool persistent);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QVariant& v);        // 1-based
    void bind(const QString& name, const QVariant& v); // ":name"; unknown names are ignored
    void bindAll(const QVariantList& values, int first = 1);
    bool step();
    void reset();   // also clears the bindings
    void rewind();  // back to the first row, bindings kept

    int columnCount() const;
    QVariant column(int i) const;   // qlonglong, double, QString, QByteArray or null
    QString columnName(int i) const;
    QString columnTable(int i) const;   // "" for an expression
    QString columnOrigin(int i) const;  // "" for an expression
    QString columnDeclType(int i) const;
    int parameterCount() const;
    QString parameterName(int i) const;
    bool readOnly() const;
    const QString& sql() const { return sql_; }
    bool hasTail() const { return hasTail_; }
    sqlite3_stmt* handle() const { return stmt_; }

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
    QString sql_;
    bool hasTail_ = false;
};

} // namespace qor::data
