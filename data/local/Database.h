#pragma once

#include "data/local/Catalog.h"
#include "data/local/Statement.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <memory>

struct sqlite3;

namespace qor::data {

// The SQLite file that holds every table of one folder ("qorcaixa.sqlite"),
// one connection per folder shared by all table objects of the process.
// Opened with a busy timeout (other programs share the file), in WAL mode
// with synchronous=FULL: a posted row survives a power cut, readers never
// block the writer. The folders are local to the workstation (WAL needs
// shared memory, so the file is not meant for a network share).
class Database {
public:
    static constexpr const char* FileName = "qorcaixa.sqlite";

    // The connection for a folder (a real path on this machine). Raises
    // FolderNotFound, DataFileNotFound (the file is never created here),
    // DatabaseCorrupt, DatabaseLocked.
    static std::shared_ptr<Database> forFolder(const QString& folder);
    // The same, creating the data file when the folder has none: for the
    // site set-up only.
    static std::shared_ptr<Database> createIn(const QString& folder);
    // The folder behind a location (alias or suite folder).
    static QString folderOf(const QString& location);

    // How long a statement waits for another program's lock before it raises
    // DatabaseLocked. Applies to open and future connections.
    static void setBusyTimeout(int milliseconds);
    static int busyTimeout();

    // Drops cached connections nobody uses (a test that replaces a file).
    static void releaseIdle();

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& folder() const { return folder_; }
    const QString& path() const { return path_; }
    sqlite3* handle() const { return db_; }

    // A cached prepared statement, reset and ready for binding. The caller
    // steps it and resets it before anyone else may use the same text.
    Statement& cached(const QString& sql);
    void exec(const QString& sql);
    void rollback() noexcept; // after a failed exclusive step; errors ignored
    qint64 lastInsertRowid() const;
    int changes() const;

    // Where the file's rows stand for this connection: commits of other
    // connections (other programs included) and this connection's own row
    // changes. An equal stamp read later means no row changed in between,
    // except a rollback of this connection's own changes, which moves
    // neither part: what is remembered against a stamp is taken outside a
    // transaction (inTransaction()).
    struct ChangeStamp {
        qint64 others = -1;
        qint64 own = -1;
        bool operator==(const ChangeStamp&) const = default;
    };
    ChangeStamp changeStamp();
    bool inTransaction() const;

    // Every row has an id of its own in this column (the rowid, kept by
    // AUTOINCREMENT): a deleted row's id never passes to a new row.
    static constexpr const char* IdColumn = "QorId";

    // What createTable() found and did.
    enum class SetUp { Created, FieldsAdded, Migrated, Unchanged };
    // Site set-up: creates the table and its indexes when missing, adds the
    // fields it lacks and gives a table of an earlier version (rows without
    // an id of their own) the id column, each row keeping its rowid.
    SetUp createTable(const TableDef& def, QStringList* addedFields = nullptr);
    // On every open (once per connection): the table, its fields and its id
    // column must be there, else TableNotFound, FieldNotFound or
    // TableOutdated naming what is missing and where; its indexes are made
    // when missing.
    void checkTable(const TableDef& def);
    bool tableExists(const QString& name);
    bool indexExists(const QString& sqliteName);
    // Tries to (re)build a unique index dropped or refused before; false when
    // the rows break it.
    bool tryCreateIndex(const QString& createSql);

    // Raises the error for an SQLite result code, naming what failed.
    [[noreturn]] void raise(int rc, const QString& what) const;
    QString errorText() const;

    // In-process use of each table, for exclusive opens.
    void acquire(const QString& table, bool exclusive);
    void release(const QString& table, bool exclusive);
    bool inUseByOthers(const QString& table, int ownUses) const;

private:
    Database(QString folder, QString path);
    void open(bool create);
    static std::shared_ptr<Database> connect(const QString& folder, bool create);
    QStringList columnsOf(const QString& table);
    void createIndexes(const TableDef& def);
    void migrate(const TableDef& def);

    QString folder_;
    QString path_;
    sqlite3* db_ = nullptr;
    QHash<QString, Statement*> statements_;
    QSet<QString> ensured_;
    struct Use {
        int count = 0;
        bool exclusive = false;
    };
    QHash<QString, Use> uses_;
};

// SQL names for the indexes the engine creates for a table.
namespace sqlnames {
QString quoted(const QString& identifier); // "Name" with inner quotes doubled
QString primaryUnique(const QString& table);  // enforces the key, empty values equal
QString primaryOrder(const QString& table);   // plain index in key order
QString naturalOrder(const QString& table);
QString secondary(const QString& table, const QString& indexName);
QString createUniqueSql(const QString& sqliteName, const QString& table, const QStringList& fields);
QString createPlainSql(const QString& sqliteName, const QString& table, const QStringList& fields);
} // namespace sqlnames

} // namespace qor::data
