#pragma once

#include "data/local/DataSet.h"

#include <QStringList>

#include <memory>

namespace qor::data {

// A local SQL statement on a location (alias or suite folder), built line by
// line or set whole. execSql() runs a statement without rows (DELETE);
// open() runs a SELECT and reads its rows like a table (read-only).
// The suite's SQL runs as written: 'dd.mm.yy' literals against date columns,
// quoted numbers against integers, Upper() changing only a-z, a trailing ";",
// table names in any case, a repeated column of a join exposed as Name_1.
// Tables the statement names must exist (TableNotFound, FieldNotFound name
// what is missing). One statement per text. A statement run again with the same text is not prepared again.
// Result kinds come from the table fields where a column is one, else from
// the values (sum(), avg() and total() are floats). Filters do not apply to a
// query (setFilter with a text raises BadFilter): the SQL filters. Long
// results are read as they are walked, never held whole.
class Query : public DataSet {
    Q_OBJECT
public:
    explicit Query(QString location, QObject* parent = nullptr);
    ~Query() override;

    void clearSql();
    void addSql(const QString& line);
    void setSql(const QString& text);
    QString sql() const;          // lines joined with "\n"
    QStringList sqlLines() const;

    // Bound parameters for typed values: ":name" in the text.
    void bindValue(const QString& name, const QVariant& v);

    // Fixed result columns: when set, open() exposes exactly these (by name,
    // case-insensitive), others are invisible.
    void setDeclaredFields(const QList<FieldDef>& fields);

    void execSql();
    int rowsAffected() const;

    void open() override;
    void close() override;
    DataSetState state() const override;
    void first() override;
    void last() override;
    void next() override;
    void prior() override;
    bool eof() const override;
    bool bof() const override;
    int recordCount() override;
    const QList<FieldDef>& fields() const override;
    QVariant value(const QString& field) const override;
    void setValue(const QString& field, const QVariant& v) override; // raises: read-only
    void append() override;
    void edit() override;
    void post() override;
    void cancel() override;
    void remove() override;
    void refresh() override;
    void setFilter(const QString& text) override;
    QString filter() const override;
    void setFiltered(bool on) override;
    bool filtered() const override;
    QVariant bookmark() const override;
    void goToBookmark(const QVariant& b) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace qor::data
