#include "data/local/Table.h"

#include "data/base/Error.h"
#include "data/local/Catalog.h"
#include "data/local/Cursor.h"
#include "data/local/Database.h"
#include "data/local/StoredValue.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace qor::data {

namespace {

const QList<FieldDef>& noFields()
{
    static const QList<FieldDef> none;
    return none;
}

bool isPath(const QString& s) { return s.contains(QLatin1Char('/')) || s.contains(QLatin1Char('\\')); }

QStringList indexColumns(Database& db, const QString& sqliteName)
{
    QStringList out;
    Statement st(db, QStringLiteral("PRAGMA index_info(%1)").arg(sqlnames::quoted(sqliteName)), false);
    while (st.step())
        out << st.column(2).toString();
    return out;
}

} // namespace

struct Table::Impl {
    Table& q;
    QString location;
    QString name;                   // as given (without a path)
    const TableDef* def = nullptr;  // set by resolve()
    QString indexName;
    bool exclusive = false;
    std::function<void(Table&)> beforeDelete;

    std::shared_ptr<Database> db;
    std::unique_ptr<Cursor> cursor;
    DataSetState state = DataSetState::Inactive;
    // Rows around the current one, in table order, read in batches that grow
    // while the caller keeps walking one way; at = the current row.
    QList<CursorRow> window;
    int at = -1;
    int forwardStreak = 0;
    int backwardStreak = 0;
    bool eof = true;
    bool bof = true;
    QVariantList buffer;   // Edit/Insert: values as stored
    QList<bool> modified;
    bool acquired = false;
    bool acquiredExclusive = false;

    QString filterText;
    bool filtered = false;

    explicit Impl(Table& t) : q(t) {}

    QString tableLabel() const { return def ? def->name : name; }

    const TableDef& resolve()
    {
        def = Catalog::find(name);
        if (!def)
            throw Error(kind::TableNotFound, QStringLiteral("Tabela %1 não encontrada em %2").arg(name, location));
        return *def;
    }

    Database& connect()
    {
        if (!db)
            db = Database::forFolder(Database::folderOf(location));
        return *db;
    }

    void requireActive() const
    {
        if (state == DataSetState::Inactive)
            throw Error(kind::DataSetClosed, QStringLiteral("Tabela %1 fechada").arg(tableLabel()));
    }

    // Callers mostly read fields in order: the one after the last found is tried first.
    mutable int lastPos = -1;

    int fieldPos(const QString& field) const
    {
        const QList<FieldDef>& fields = def ? def->fields : noFields();
        const int n = int(fields.size());
        if (n > 0) {
            const int guess = (lastPos + 1) % n;
            if (fields.at(guess).name == field)
                return lastPos = guess;
        }
        const int pos = def ? def->position(field) : -1;
        if (pos < 0)
            throw Error(kind::FieldNotFound,
                        QStringLiteral("Campo %1 não encontrado na tabela %2").arg(field, tableLabel()));
        return lastPos = pos;
    }

    QString fieldName(const QString& f) const { return def->fields.at(fieldPos(f)).name; }

    QStringList columns() const
    {
        QStringList out;
        for (const FieldDef& f : def->fields)
            out << f.name;
        return out;
    }

    OrderKey orderFor()
    {
        OrderKey key;
        auto plain = [&](const QStringList& fields) {
            for (const QString& f : fields)
                key.parts << OrderKey::Part{sqlnames::quoted(fieldName(f)), true, fieldPos(f)};
        };
        if (indexName.isEmpty()) {
            if (!def->primaryKey.isEmpty())
                plain(def->primaryKey);
            else if (db->indexExists(sqlnames::primaryOrder(def->name)))
                plain(indexColumns(*db, sqlnames::primaryOrder(def->name)));
            else
                plain(def->naturalOrder);
            return key;
        }
        if (const IndexDef* idx = def->index(indexName)) {
            if (!idx->unique) {
                plain(idx->fields);
                return key;
            }
            const QString sqliteName = sqlnames::secondary(def->name, idx->name);
            // A unique index that was dropped, or refused because rows broke it,
            // is rebuilt here when the rows allow it; otherwise it is unusable.
            if (!db->indexExists(sqliteName) &&
                !db->tryCreateIndex(sqlnames::createUniqueSql(sqliteName, def->name, idx->fields)))
                throw Error(kind::IndexUnusable,
                            QStringLiteral("Índice %1 da tabela %2 inutilizável: há linhas que o violam")
                                .arg(idx->name, def->name));
            for (const QString& f : idx->fields)
                key.parts << OrderKey::Part{QStringLiteral("ifnull(%1,'')").arg(sqlnames::quoted(f)), false, -1};
            return key;
        }
        const QString added = sqlnames::secondary(def->name, indexName);
        if (!db->indexExists(added))
            throw Error(kind::IndexUnusable,
                        QStringLiteral("Índice %1 não existe na tabela %2").arg(indexName, def->name));
        plain(indexColumns(*db, added));
        return key;
    }

    SqlCondition conditionFor() const
    {
        if (!filtered || filterText.trimmed().isEmpty())
            return {};
        return FilterParser::parse(filterText, def->fields);
    }

    void buildCursor()
    {
        auto c = std::make_unique<Cursor>(db, def->name, columns(), orderFor());
        c->setCondition(conditionFor());
        cursor = std::move(c);
    }

    void setState(DataSetState s)
    {
        if (state == s)
            return;
        state = s;
        emit q.stateChanged();
    }

    bool hasRow() const { return at >= 0; }
    const CursorRow& row() const { return window.at(at); }

    void settle(std::optional<CursorRow> r, bool atEof, bool atBof)
    {
        window.clear();
        at = -1;
        if (r) {
            window << std::move(*r);
            at = 0;
        }
        forwardStreak = backwardStreak = 0;
        eof = atEof || !hasRow();
        bof = atBof || !hasRow();
        emit q.rowChanged();
    }

    void settle(QList<CursorRow> rows, bool atEof, bool atBof)
    {
        window = std::move(rows);
        at = window.isEmpty() ? -1 : 0;
        forwardStreak = backwardStreak = 0;
        eof = atEof || !hasRow();
        bof = atBof || !hasRow();
        emit q.rowChanged();
    }

    static int batch(int streak) { return streak <= 0 ? 64 : 256; }
    static constexpr int WindowLimit = 1024;

    // Once a caller walks from the first row, first() reads a batch at once.
    bool walks = false;

    bool stepForward()
    {
        if (at + 1 >= window.size()) {
            walks = true;
            QList<CursorRow> more = cursor->after(window.last(), batch(forwardStreak++));
            if (more.isEmpty())
                return false;
            window.append(std::move(more));
            if (window.size() > WindowLimit) {
                const int drop = int(window.size()) - WindowLimit;
                window.remove(0, drop);
                at -= drop;
            }
        }
        ++at;
        return true;
    }

    bool stepBackward()
    {
        if (at == 0) {
            QList<CursorRow> more = cursor->before(window.first(), batch(backwardStreak++));
            if (more.isEmpty())
                return false;
            std::reverse(more.begin(), more.end());
            at += int(more.size());
            more.append(std::move(window));
            window = std::move(more);
            if (window.size() > WindowLimit)
                window.resize(WindowLimit);
        }
        --at;
        return true;
    }

    void toFirst(bool walking) { settle(cursor->first(walking ? batch(0) : 1), false, true); }

    void checkBrowse()
    {
        if (state == DataSetState::Edit || state == DataSetState::Insert)
            q.post();
    }

    void repositionAfterLoss(const CursorRow& gone)
    {
        QList<CursorRow> n = cursor->after(gone, 1);
        if (n.isEmpty())
            n = cursor->before(gone, 1);
        settle(std::move(n), false, false);
    }

    QVariant currentValue(int pos) const
    {
        if (state == DataSetState::Edit || state == DataSetState::Insert)
            return buffer.at(pos);
        return hasRow() ? row().values.at(pos) : QVariant();
    }

    void releaseUse()
    {
        if (acquired && db)
            db->release(def ? def->name : name, acquiredExclusive);
        acquired = false;
        acquiredExclusive = false;
    }

    void shutDown()
    {
        releaseUse();
        cursor.reset();
        window.clear();
        at = -1;
        buffer.clear();
        modified.clear();
        db.reset();
        eof = bof = true;
    }

    // Names the key the row breaks as the caller knows it: the primary key or
    // the index by its own name ("PedSiQui").
    [[noreturn]] void deletedByOthers() const
    {
        throw Error(kind::RecordDeleted,
                    QStringLiteral("O registro da tabela %1 foi excluído por outro programa").arg(def->name));
    }

    [[noreturn]] void keyViolation(const Error& e) const
    {
        static const QRegularExpression quotedName(QStringLiteral("index '([^']+)'"));
        const QString sqliteName = quotedName.match(e.text()).captured(1);
        QString key = QStringLiteral("chave primária");
        const QString prefix = def->name + QLatin1Char('_');
        if (!sqliteName.isEmpty() && sqliteName != sqlnames::primaryUnique(def->name))
            key = QStringLiteral("índice ") + (sqliteName.startsWith(prefix) ? sqliteName.mid(prefix.size()) : sqliteName);
        throw Error(kind::KeyViolation, QStringLiteral("Violação de chave na tabela %1 (%2)").arg(def->name, key));
    }
};

Table::Table(QString location, QString tableName, QObject* parent) : DataSet(parent), d(std::make_unique<Impl>(*this))
{
    d->location = std::move(location);
    setTableName(tableName);
}

Table::~Table() { d->shutDown(); }

void Table::setTableName(const QString& nameOrPath)
{
    if (active())
        throw Error(kind::InvalidValue,
                    QStringLiteral("A tabela %1 está aberta: não é possível trocar o nome").arg(d->tableLabel()));
    QString n = nameOrPath.trimmed();
    if (isPath(n)) {
        // A suite path (folder + file) names both the folder and the table.
        n.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const qsizetype cut = n.lastIndexOf(QLatin1Char('/'));
        d->location = n.left(cut);
        n = n.mid(cut + 1);
    }
    d->name = Catalog::stripExtension(n);
    d->def = Catalog::find(d->name);
    d->db.reset();
}

QString Table::tableName() const { return d->def ? d->def->name : d->name; }
QString Table::location() const { return d->location; }

void Table::setIndexName(const QString& name)
{
    if (d->indexName.compare(name, Qt::CaseInsensitive) == 0)
        return;
    const QString previous = d->indexName;
    d->indexName = name;
    if (!active())
        return;
    d->checkBrowse();
    try {
        d->buildCursor();
    } catch (...) {
        d->indexName = previous;
        throw;
    }
    if (d->hasRow()) {
        if (auto r = d->cursor->byRowid(d->row().rowid, true)) {
            d->settle(std::move(r), false, false);
            return;
        }
    }
    d->toFirst(false);
}

QString Table::indexName() const { return d->indexName; }

void Table::setExclusive(bool on)
{
    if (active())
        throw Error(kind::InvalidValue, QStringLiteral("A tabela %1 está aberta").arg(d->tableLabel()));
    d->exclusive = on;
}

bool Table::exclusive() const { return d->exclusive; }

void Table::setBeforeDelete(std::function<void(Table&)> hook) { d->beforeDelete = std::move(hook); }

bool Table::hasPrimaryIndex()
{
    const TableDef& def = d->resolve();
    if (!def.primaryKey.isEmpty())
        return true;
    const bool exists = d->connect().indexExists(sqlnames::primaryUnique(def.name));
    if (!active())
        d->db.reset();
    return exists;
}

void Table::open()
{
    if (active())
        return;
    const TableDef& def = d->resolve();
    try {
        Database& db = d->connect();
        db.checkTable(def);
        db.acquire(def.name, d->exclusive);
        d->acquired = true;
        d->acquiredExclusive = d->exclusive;
        d->buildCursor();
        QList<CursorRow> rows = d->cursor->first(1);
        d->settle(std::move(rows), false, true);
    } catch (...) {
        d->shutDown();
        throw;
    }
    d->setState(DataSetState::Browse);
}

void Table::close()
{
    if (!active())
        return;
    d->shutDown();
    d->setState(DataSetState::Inactive);
    emit rowChanged();
}

DataSetState Table::state() const { return d->state; }

void Table::first()
{
    d->requireActive();
    d->checkBrowse();
    d->toFirst(d->walks);
}

void Table::last()
{
    d->requireActive();
    d->checkBrowse();
    d->settle(d->cursor->last(1), true, false);
}

void Table::next()
{
    d->requireActive();
    d->checkBrowse();
    if (d->hasRow() && d->stepForward()) {
        d->eof = d->bof = false;
        emit rowChanged();
    } else {
        d->eof = true;
    }
}

void Table::prior()
{
    d->requireActive();
    d->checkBrowse();
    if (d->hasRow() && d->stepBackward()) {
        d->eof = d->bof = false;
        emit rowChanged();
    } else {
        d->bof = true;
    }
}

bool Table::eof() const { return d->eof; }
bool Table::bof() const { return d->bof; }

int Table::recordCount()
{
    d->requireActive();
    return d->cursor->count();
}

const QList<FieldDef>& Table::fields() const { return d->def ? d->def->fields : noFields(); }

QVariant Table::value(const QString& field) const
{
    d->requireActive();
    const int pos = d->fieldPos(field);
    const FieldKind kind = d->def->fields.at(pos).kind;
    if (d->state == DataSetState::Browse)
        return d->hasRow() ? d->row().values.read(pos, kind) : QVariant();
    return stored::fromStorage(kind, d->currentValue(pos));
}

void Table::setValue(const QString& field, const QVariant& v)
{
    d->requireActive();
    const int pos = d->fieldPos(field);
    if (d->state != DataSetState::Edit && d->state != DataSetState::Insert)
        throw Error(kind::NotEditing,
                    QStringLiteral("A tabela %1 não está em edição (campo %2)").arg(d->def->name, field));
    const FieldDef& f = d->def->fields.at(pos);
    d->buffer[pos] = stored::toStorage(f, v);
    d->modified[pos] = true;
    emit fieldChanged(f.name);
}

void Table::append()
{
    d->requireActive();
    d->checkBrowse();
    d->buffer = QVariantList(d->def->fields.size());
    d->modified = QList<bool>(d->def->fields.size(), false);
    d->setState(DataSetState::Insert);
    emit rowChanged();
}

void Table::edit()
{
    d->requireActive();
    if (d->state == DataSetState::Edit || d->state == DataSetState::Insert)
        return;
    if (!d->hasRow()) {
        append();
        return;
    }
    // Edit the row as it is stored now, not as it was read.
    auto fresh = d->cursor->byRowid(d->row().rowid, false);
    if (!fresh)
        d->deletedByOthers();
    const bool atEof = d->eof, atBof = d->bof;
    d->settle(std::move(fresh), atEof, atBof);
    d->buffer = d->row().values.toList();
    d->modified = QList<bool>(d->def->fields.size(), false);
    d->setState(DataSetState::Edit);
    emit rowChanged();
}

void Table::post()
{
    d->requireActive();
    if (d->state != DataSetState::Edit && d->state != DataSetState::Insert)
        return;
    Database& db = *d->db;
    const QString table = sqlnames::quoted(d->def->name);
    qint64 rowid = 0;
    try {
        if (d->state == DataSetState::Insert) {
            QStringList cols, marks;
            for (const FieldDef& f : d->def->fields) {
                cols << sqlnames::quoted(f.name);
                marks << QStringLiteral("?");
            }
            Statement& st = db.cached(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
            st.bindAll(d->buffer);
            try {
                st.step();
            } catch (...) {
                st.reset();
                throw;
            }
            st.reset();
            rowid = db.lastInsertRowid();
        } else {
            rowid = d->row().rowid;
            QStringList sets;
            QVariantList values;
            for (int i = 0; i < d->buffer.size(); ++i) {
                if (!d->modified.at(i))
                    continue;
                sets << sqlnames::quoted(d->def->fields.at(i).name) + QStringLiteral("=?");
                values << d->buffer.at(i);
            }
            if (sets.isEmpty()) {
                if (!d->cursor->byRowid(rowid, false))
                    d->deletedByOthers();
            } else {
                Statement& st =
                    db.cached(QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(table, sets.join(QLatin1Char(','))));
                st.bindAll(values);
                st.bind(int(values.size()) + 1, rowid);
                try {
                    st.step();
                } catch (...) {
                    st.reset();
                    throw;
                }
                st.reset();
                if (db.changes() == 0)
                    d->deletedByOthers();
            }
        }
    } catch (const Error& e) {
        if (e.is(kind::KeyViolation))
            d->keyViolation(e);
        throw;
    }
    d->buffer.clear();
    d->modified.clear();
    auto row = d->cursor->byRowid(rowid, false);
    d->setState(DataSetState::Browse);
    d->settle(std::move(row), false, false);
}

void Table::cancel()
{
    if (d->state != DataSetState::Edit && d->state != DataSetState::Insert)
        return;
    d->buffer.clear();
    d->modified.clear();
    d->setState(DataSetState::Browse);
    emit rowChanged();
}

void Table::remove()
{
    d->requireActive();
    if (d->state == DataSetState::Insert) {
        cancel();
        return;
    }
    cancel();
    if (!d->hasRow())
        throw Error(kind::InvalidValue, QStringLiteral("A tabela %1 está vazia: nada a excluir").arg(d->def->name));
    const CursorRow doomed = d->row();
    // Checked before the hook: its cascade must not run for a row that is gone.
    if (!d->cursor->byRowid(doomed.rowid, false))
        d->deletedByOthers();
    if (d->beforeDelete) {
        d->beforeDelete(*this);
        // The hook may have moved; the row to delete is the one it was given.
        d->requireActive();
    }
    Statement& st = d->db->cached(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(sqlnames::quoted(d->def->name)));
    st.bind(1, doomed.rowid);
    try {
        st.step();
    } catch (...) {
        st.reset();
        throw;
    }
    st.reset();
    if (d->db->changes() == 0)
        d->deletedByOthers();
    d->repositionAfterLoss(doomed);
}

void Table::refresh()
{
    d->requireActive();
    d->checkBrowse();
    if (!d->hasRow()) {
        d->toFirst(false);
        return;
    }
    const CursorRow was = d->row();
    if (auto r = d->cursor->byRowid(was.rowid, true))
        d->settle(std::move(r), d->eof, d->bof);
    else
        d->repositionAfterLoss(was);
}

void Table::setFilter(const QString& text)
{
    if (d->filterText == text)
        return;
    const QString previous = d->filterText;
    d->filterText = text;
    if (!active() || !d->filtered)
        return;
    try {
        d->checkBrowse();
        d->cursor->setCondition(d->conditionFor());
    } catch (...) {
        d->filterText = previous;
        throw;
    }
    d->toFirst(false);
}

QString Table::filter() const { return d->filterText; }

void Table::setFiltered(bool on)
{
    if (d->filtered == on)
        return;
    d->filtered = on;
    if (!active())
        return;
    try {
        d->checkBrowse();
        d->cursor->setCondition(d->conditionFor());
    } catch (...) {
        d->filtered = !on;
        throw;
    }
    d->toFirst(false);
}

bool Table::filtered() const { return d->filtered; }

QVariant Table::bookmark() const
{
    d->requireActive();
    return d->hasRow() ? QVariant(qlonglong(d->row().rowid)) : QVariant();
}

void Table::goToBookmark(const QVariant& b)
{
    d->requireActive();
    d->checkBrowse();
    bool ok = false;
    const qint64 rowid = b.toLongLong(&ok);
    auto r = ok ? d->cursor->byRowid(rowid, true) : std::nullopt;
    if (!r && ok && !d->cursor->byRowid(rowid, false))
        d->deletedByOthers();
    if (!r)
        throw Error(kind::InvalidValue, QStringLiteral("Registro marcado fora do filtro da tabela %1").arg(d->def->name));
    d->settle(std::move(r), false, false);
}

void Table::addIndex(const QString& name, const QStringList& fields, bool primary)
{
    d->requireActive();
    if (!d->acquiredExclusive)
        throw Error(kind::DatabaseLocked,
                    QStringLiteral("A tabela %1 precisa estar aberta em uso exclusivo para criar um índice").arg(d->def->name));
    d->checkBrowse();
    QStringList columns;
    for (const QString& f : fields)
        columns << d->def->fields.at(d->fieldPos(f)).name;
    const QString table = d->def->name;
    Database& db = *d->db;
    db.exec(QStringLiteral("BEGIN EXCLUSIVE"));
    try {
        if (primary) {
            db.exec(sqlnames::createUniqueSql(sqlnames::primaryUnique(table), table, columns));
            db.exec(sqlnames::createPlainSql(sqlnames::primaryOrder(table), table, columns));
        } else {
            db.exec(sqlnames::createPlainSql(sqlnames::secondary(table, name), table, columns));
        }
        db.exec(QStringLiteral("COMMIT"));
    } catch (const Error& e) {
        db.rollback();
        if (e.is(kind::KeyViolation))
            throw Error(kind::KeyViolation,
                        QStringLiteral("Violação de chave: a tabela %1 tem valores repetidos em %2")
                            .arg(table, columns.join(QLatin1Char(','))));
        throw;
    }
    d->buildCursor();
    d->toFirst(false);
}

void Table::emptyTable()
{
    const TableDef& def = d->resolve();
    Database& db = d->connect();
    db.checkTable(def);
    if (db.inUseByOthers(def.name, d->acquired ? 1 : 0))
        throw Error(kind::DatabaseLocked, QStringLiteral("Tabela %1 em uso: não é possível esvaziá-la").arg(def.name));
    if (active())
        cancel();
    db.exec(QStringLiteral("BEGIN EXCLUSIVE"));
    try {
        db.exec(QStringLiteral("DELETE FROM %1").arg(sqlnames::quoted(def.name)));
        db.exec(QStringLiteral("COMMIT"));
    } catch (...) {
        db.rollback();
        throw;
    }
    if (active())
        d->settle(std::nullopt, true, true);
    else
        d->db.reset();
}

} // namespace qor::data
