#pragma once

#include "data/local/DataSet.h"

#include <functional>
#include <memory>

namespace qor::data {

// A local cash table reached by name, in a location: an alias ("QORFDADOS",
// "QUELVORA") or a suite folder ("c:\quelvora\dados", "C:\QUELVORA\QUITACAO").
// All tables of one folder live in one SQLite file in that folder, made by
// the site set-up (SetUpTables); opening a table never creates it: a missing
// file, table or field raises an error naming it and the file.
//
// Natural order is the primary-key order where the table has one, else entry
// order (MovCaixa: NumSessao then entry order); empty key values sort first.
// Table names are case-insensitive ("SessaoCx.db", "sessaocx").
//
// Moving as the suite's tables do: open() and first() set bof(), last() sets
// eof(); next() past the last row sets eof() and stays on it. Moving,
// refresh() or a new filter while editing posts first; close() drops unposted
// changes. remove() lands on the next row, or on the previous one when the
// last row went; the view is empty (eof and bof) when none is left. edit()
// re-reads the stored row; on an empty table it appends.
//
// Rows are read from SQLite in small batches that grow while the caller walks
// one way; a row another program changes meanwhile shows its new values after
// refresh(), edit() or the next move beyond the batch. A row is known by its
// id, which no other row ever takes: edit(), post(), remove() and
// goToBookmark() on a row another program deleted raise RecordDeleted.
//
// Exclusive use is known within this program (another table object opening
// the same table fails with DatabaseLocked); addIndex() and emptyTable() also
// lock the whole file against other programs while they run.
class Table : public DataSet {
    Q_OBJECT
public:
    Table(QString location, QString tableName, QObject* parent = nullptr);
    ~Table() override;

    // A name, or a full suite path ".../Dados/Quitacao.db" (folder + table).
    void setTableName(const QString& nameOrPath);
    QString tableName() const;
    QString location() const;

    // "" = natural order; "PedSiQui" etc. An unusable index fails open().
    void setIndexName(const QString& name);
    QString indexName() const;

    void setExclusive(bool on);
    bool exclusive() const;

    // Needs exclusive open; a primary index on fields (natural order follows
    // it; empty values count as equal; rows that repeat a key raise
    // KeyViolation), or a secondary index selectable by name.
    void addIndex(const QString& name, const QStringList& fields, bool primary);
    // Deletes every row, open or closed; DatabaseLocked while another table
    // object of this program has the table open.
    void emptyTable();

    // True when the table has a primary index (declared in the catalog, or
    // added by addIndex). This replaces the suite's test for the index file
    // beside the table ("destinos.px"). Works with the table open or closed.
    bool hasPrimaryIndex();

    // Runs with the table positioned on the row about to be deleted; an
    // exception from it stops the deletion.
    void setBeforeDelete(std::function<void(Table&)> hook);

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
    void setValue(const QString& field, const QVariant& v) override;
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
