#include "data/local/Database.h"

#include "data/base/Error.h"
#include "data/base/SuitePaths.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <map>

namespace qor::data {

namespace {

int g_busyTimeout = 5000;

std::map<QString, std::shared_ptr<Database>>& registry()
{
    static std::map<QString, std::shared_ptr<Database>> connections;
    return connections;
}

// upper() as the whole suite does it: only a-z change, whatever SQLite was
// built with (an ICU build would also change accented letters).
void upperAZ(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int n = sqlite3_value_bytes(argv[0]);
    QByteArray out(text, n);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    sqlite3_result_text(ctx, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

} // namespace

namespace sqlnames {

QString quoted(const QString& identifier)
{
    QString s = identifier;
    s.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString primaryUnique(const QString& table) { return table + QStringLiteral("_px"); }
QString primaryOrder(const QString& table) { return table + QStringLiteral("_po"); }
QString naturalOrder(const QString& table) { return table + QStringLiteral("_order"); }
QString secondary(const QString& table, const QString& indexName) { return table + QLatin1Char('_') + indexName; }

QString createUniqueSql(const QString& sqliteName, const QString& table, const QStringList& fields)
{
    // Empty values are equal in the suite's keys; SQLite treats nulls as
    // distinct, so the key is built over ifnull(field, '').
    QStringList parts;
    for (const QString& f : fields)
        parts << QStringLiteral("ifnull(%1,'')").arg(quoted(f));
    return QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS %1 ON %2 (%3)")
        .arg(quoted(sqliteName), quoted(table), parts.join(QLatin1Char(',')));
}

QString createPlainSql(const QString& sqliteName, const QString& table, const QStringList& fields)
{
    QStringList parts;
    for (const QString& f : fields)
        parts << quoted(f);
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
        .arg(quoted(sqliteName), quoted(table), parts.join(QLatin1Char(',')));
}

} // namespace sqlnames

void Database::setBusyTimeout(int milliseconds)
{
    g_busyTimeout = milliseconds;
    for (auto& [path, db] : registry())
        sqlite3_busy_timeout(db->handle(), milliseconds);
}

int Database::busyTimeout() { return g_busyTimeout; }

void Database::releaseIdle()
{
    auto& r = registry();
    for (auto it = r.begin(); it != r.end();) {
        if (it->second.use_count() == 1)
            it = r.erase(it);
        else
            ++it;
    }
}

QString Database::folderOf(const QString& location)
{
    // Tables are opened often; the alias file is read again only when it changes.
    struct Resolved {
        QDateTime iniStamp;
        QString folder;
    };
    static QHash<QString, Resolved> cache;
    const QString root = SuitePaths::root();
    const QDateTime stamp = QFileInfo(root + QStringLiteral("/qorengine.ini")).lastModified();
    const QString key = root + QLatin1Char('\n') + location;
    const auto it = cache.constFind(key);
    if (it != cache.constEnd() && it->iniStamp == stamp)
        return it->folder;
    const QString folder = SuitePaths::location(location);
    cache.insert(key, Resolved{stamp, folder});
    return folder;
}

std::shared_ptr<Database> Database::forFolder(const QString& folder) { return connect(folder, false); }

std::shared_ptr<Database> Database::createIn(const QString& folder) { return connect(folder, true); }

std::shared_ptr<Database> Database::connect(const QString& folder, bool create)
{
    static QHash<QString, QString> canonicalOf;
    auto& r = registry();
    if (const auto known = canonicalOf.constFind(folder); known != canonicalOf.constEnd())
        if (const auto it = r.find(*known); it != r.end())
            return it->second;
    const QFileInfo info(folder);
    if (!info.isDir())
        throw Error(kind::FolderNotFound, QStringLiteral("Pasta de dados não encontrada: %1").arg(folder));
    const QString canonical = info.canonicalFilePath();
    canonicalOf.insert(folder, canonical);
    const auto it = r.find(canonical);
    if (it != r.end())
        return it->second;
    std::shared_ptr<Database> db(new Database(canonical, canonical + QLatin1Char('/') + QLatin1String(FileName)));
    db->open(create);
    r.emplace(canonical, db);
    return db;
}

Database::Database(QString folder, QString path) : folder_(std::move(folder)), path_(std::move(path)) {}

Database::~Database()
{
    qDeleteAll(statements_);
    statements_.clear();
    sqlite3_close_v2(db_);
}

void Database::open(bool create)
{
    // A missing file is a site not set up (or an alias pointing at the wrong
    // folder): an empty file made here would look like an empty till.
    if (!create && !QFileInfo::exists(path_))
        throw Error(kind::DataFileNotFound,
                    QStringLiteral("Arquivo de dados não encontrado: %1 (configure o local com qor_caixa --configurar-site)")
                        .arg(path_));
    // All table work happens on the user-interface thread: no SQLite mutex.
    const QByteArray file = QDir::toNativeSeparators(path_).toUtf8();
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(file.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK)
        raise(rc, path_);
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_create_function_v2(db_, "upper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, upperAZ, nullptr,
                               nullptr, nullptr);
    sqlite3_busy_timeout(db_, g_busyTimeout);
    // journal_mode is the first statement that reads the file: a file that is
    // not a database fails here, before anything is written.
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
    exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
}

QString Database::errorText() const { return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString(); }

void Database::raise(int rc, const QString& what) const
{
    const QString detail = errorText();
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw Error(kind::DatabaseLocked,
                    QStringLiteral("Arquivo de dados em uso por outro programa: %1 (%2)").arg(path_, detail));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        throw Error(kind::DatabaseCorrupt, QStringLiteral("Arquivo de dados danificado: %1 (%2)").arg(path_, detail));
    case SQLITE_CONSTRAINT:
        throw Error(kind::KeyViolation, QStringLiteral("Violação de chave: %1").arg(detail));
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_READONLY:
    case SQLITE_PERM:
        throw Error(kind::IoError, QStringLiteral("Erro de acesso ao arquivo de dados %1: %2").arg(path_, detail));
    default:
        throw Error(kind::SqlError, QStringLiteral("%1\n%2").arg(detail, what));
    }
}

Statement& Database::cached(const QString& sql)
{
    auto it = statements_.constFind(sql);
    if (it != statements_.constEnd())
        return **it;
    auto* st = new Statement(*this, sql, true);
    statements_.insert(sql, st);
    return *st;
}

void Database::exec(const QString& sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        raise(rc, sql);
}

void Database::rollback() noexcept
{
    if (inTransaction())
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

qint64 Database::lastInsertRowid() const { return sqlite3_last_insert_rowid(db_); }
int Database::changes() const { return sqlite3_changes(db_); }

Database::ChangeStamp Database::changeStamp()
{
    // data_version leaves out this connection's own commits; total_changes
    // counts only those.
    Statement& st = cached(QStringLiteral("PRAGMA data_version"));
    ChangeStamp stamp;
    try {
        if (st.step())
            stamp.others = st.column(0).toLongLong();
    } catch (...) {
        st.reset();
        throw;
    }
    st.reset();
    stamp.own = sqlite3_total_changes64(db_);
    return stamp;
}

bool Database::inTransaction() const { return !sqlite3_get_autocommit(db_); }

bool Database::tableExists(const QString& name)
{
    Statement& st = cached(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"));
    st.bind(1, name);
    const bool found = st.step();
    st.reset();
    return found;
}

bool Database::indexExists(const QString& sqliteName)
{
    Statement& st = cached(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='index' AND name=? COLLATE NOCASE"));
    st.bind(1, sqliteName);
    const bool found = st.step();
    st.reset();
    return found;
}

bool Database::tryCreateIndex(const QString& createSql)
{
    try {
        exec(createSql);
        return true;
    } catch (const Error& e) {
        if (e.is(kind::KeyViolation))
            return false;
        throw;
    }
}

static QString sqlType(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Integer:
        return QStringLiteral("INTEGER");
    case FieldKind::Float:
        return QStringLiteral("REAL");
    default:
        return QStringLiteral("TEXT");
    }
}

QStringList Database::columnsOf(const QString& table)
{
    QStringList out;
    Statement st(*this, QStringLiteral("PRAGMA table_info(%1)").arg(sqlnames::quoted(table)), false);
    while (st.step())
        out << st.column(1).toString();
    return out;
}

static bool containsName(const QStringList& names, const QString& name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

static QString idColumnSql()
{
    return sqlnames::quoted(QLatin1String(Database::IdColumn)) + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
}

Database::SetUp Database::createTable(const TableDef& def, QStringList* addedFields)
{
    using namespace sqlnames;
    SetUp done = SetUp::Unchanged;
    if (!tableExists(def.name)) {
        QStringList columns{idColumnSql()};
        for (const FieldDef& f : def.fields)
            columns << quoted(f.name) + QLatin1Char(' ') + sqlType(f.kind);
        exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(def.name), columns.join(QStringLiteral(", "))));
        done = SetUp::Created;
    } else {
        const QStringList present = columnsOf(def.name);
        for (const FieldDef& f : def.fields)
            if (!containsName(present, f.name)) {
                exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(quoted(def.name), quoted(f.name), sqlType(f.kind)));
                if (addedFields)
                    *addedFields << f.name;
                done = SetUp::FieldsAdded;
            }
        if (!containsName(present, QLatin1String(IdColumn))) {
            migrate(def);
            done = SetUp::Migrated;
        }
    }
    createIndexes(def);
    ensured_.insert(def.name);
    return done;
}

void Database::migrate(const TableDef& def)
{
    // SQLite cannot add a key column to a table: the rows move into a new
    // table whose id column takes each row's rowid, so bookmarks stay valid
    // and AUTOINCREMENT continues after the highest one. Columns of the
    // suite's other programs move along with their declared kinds.
    using namespace sqlnames;
    const QString old = def.name + QStringLiteral("_anterior");
    QStringList columns{idColumnSql()}, names;
    Statement info(*this, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(def.name)), false);
    while (info.step()) {
        const QString name = info.column(1).toString();
        columns << quoted(name) + QLatin1Char(' ') + info.column(2).toString();
        names << quoted(name);
    }
    // Indexes go with the old table; those added later (Destinos' key) are
    // made again from their own text.
    QStringList indexSql;
    Statement indexes(*this, QStringLiteral("SELECT sql FROM sqlite_master WHERE type='index' AND sql IS NOT NULL "
                                            "AND tbl_name=? COLLATE NOCASE"), false);
    indexes.bind(1, def.name);
    while (indexes.step())
        indexSql << indexes.column(0).toString();
    const QString list = names.join(QLatin1Char(','));
    exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quoted(def.name), quoted(old)));
        exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(def.name), columns.join(QStringLiteral(", "))));
        exec(QStringLiteral("INSERT INTO %1 (%2,%3) SELECT rowid,%3 FROM %4")
                 .arg(quoted(def.name), quoted(QLatin1String(IdColumn)), list, quoted(old)));
        exec(QStringLiteral("DROP TABLE %1").arg(quoted(old)));
        for (const QString& sql : indexSql)
            exec(sql);
        exec(QStringLiteral("COMMIT"));
    } catch (...) {
        rollback();
        throw;
    }
}

void Database::checkTable(const TableDef& def)
{
    if (ensured_.contains(def.name))
        return;
    if (!tableExists(def.name))
        throw Error(kind::TableNotFound, QStringLiteral("Tabela %1 não encontrada em %2").arg(def.name, path_));
    const QStringList present = columnsOf(def.name);
    // The set-up that brings a table of an earlier version up to date also
    // adds the fields it lacks.
    if (!containsName(present, QLatin1String(IdColumn)))
        throw Error(kind::TableOutdated,
                    QStringLiteral("Tabela %1 em %2 é de uma versão anterior (atualize-a com qor_caixa --configurar-site)")
                        .arg(def.name, path_));
    for (const FieldDef& f : def.fields)
        if (!containsName(present, f.name))
            throw Error(kind::FieldNotFound,
                        QStringLiteral("Campo %1 da tabela %2 não encontrado em %3").arg(f.name, def.name, path_));
    createIndexes(def);
    ensured_.insert(def.name);
}

void Database::createIndexes(const TableDef& def)
{
    using namespace sqlnames;
    if (!def.primaryKey.isEmpty()) {
        // A key the rows break stays missing; opening still works, and the
        // caller finds out when it asks for the index.
        tryCreateIndex(createUniqueSql(primaryUnique(def.name), def.name, def.primaryKey));
        exec(createPlainSql(primaryOrder(def.name), def.name, def.primaryKey));
    }
    if (!def.naturalOrder.isEmpty())
        exec(createPlainSql(naturalOrder(def.name), def.name, def.naturalOrder));
    for (const IndexDef& i : def.indexes) {
        const QString name = secondary(def.name, i.name);
        if (i.unique)
            tryCreateIndex(createUniqueSql(name, def.name, i.fields));
        else
            exec(createPlainSql(name, def.name, i.fields));
    }
    for (const QString& f : def.nullScanFields)
        exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3) WHERE %3 IS NULL")
                 .arg(quoted(def.name + QStringLiteral("_sem") + f), quoted(def.name), quoted(f)));
}

void Database::acquire(const QString& table, bool exclusive)
{
    Use& u = uses_[table.toLower()];
    if (u.exclusive || (exclusive && u.count > 0))
        throw Error(kind::DatabaseLocked, QStringLiteral("Tabela %1 em uso exclusivo").arg(table));
    ++u.count;
    u.exclusive = exclusive;
}

void Database::release(const QString& table, bool exclusive)
{
    auto it = uses_.find(table.toLower());
    if (it == uses_.end())
        return;
    if (exclusive)
        it->exclusive = false;
    if (--it->count <= 0)
        uses_.erase(it);
}

bool Database::inUseByOthers(const QString& table, int ownUses) const
{
    return uses_.value(table.toLower()).count > ownUses;
}

} // namespace qor::data
