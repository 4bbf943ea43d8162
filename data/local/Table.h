#pragma once

#include "data/local/DataSet.h"

#include <functional>
#include <memory>

namespace qor::data {

// A local cash table reached by name, in a location: an alias ("QORFDADOS",
// "QUELVORA") or a suite folder ("c:\quelvora\dados", "C:\QUELVORA\QUITACAO").
// All tables of one folder live in one SQLite file in that folder.
// A missing table is created from the catalog on first open.
//
// Natural order is the primary-key order where the table has one, else entry
// order (MovCaixa: NumSessao then entry order). Table names are
// case-insensitive ("SessaoCx.db", "sessaocx").
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

    // Needs exclusive open; a primary index on fields (natural order follows it).
    void addIndex(const QString& name, const QStringList& fields, bool primary);
    void emptyTable(); // delete every row

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
