#include "data/local/Query.h"

#include "data/base/Error.h"
#include "data/local/Catalog.h"
#include "data/local/Database.h"
#include "data/local/SqlDialect.h"
#include "data/local/StoredValue.h"

#include <QHash>

namespace qor::data {

namespace {

// Rows kept behind the current one; going further back runs the statement
// again, so a long result is never held whole.
constexpr int Window = 512;

FieldKind kindOfDeclType(const QString& decl, const QVariant& sample, bool* known)
{
    *known = true;
    const QString t = decl.toUpper();
    if (t.contains(QLatin1String("INT")))
        return FieldKind::Integer;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return FieldKind::Float;
    if (t.contains(QLatin1String("TEXT")) || t.contains(QLatin1String("CHAR")))
        return FieldKind::Text;
    *known = false;
    switch (sample.typeId()) {
    case QMetaType::LongLong:
        return FieldKind::Integer;
    case QMetaType::Double:
        return FieldKind::Float;
    default:
        return FieldKind::Text;
    }
}

} // namespace

struct Query::Impl {
    Query& q;
    QString location;
    QStringList lines;
    QHash<QString, QVariant> params;
    QList<FieldDef> declared;
    int affected = 0;

    std::shared_ptr<Database> db;
    std::unique_ptr<Statement> stmt;
    DataSetState state = DataSetState::Inactive;
    QList<FieldDef> resultFields;   // every result column, repeated names as Name_1
    QList<FieldDef> visibleFields;  // declared ones when set
    QList<int> visibleColumn;       // result column of each visible field
    QList<QVariantList> rows;       // window of fetched rows
    int base = 0;                   // result index of rows[0]
    int pos = -1;                   // result index of the current row
    bool done = false;
    int total = -1;
    bool eof = true;
    bool bof = true;
    DialectResult dialect;
    QString preparedText;
    QString preparedFolder;

    explicit Impl(Query& query) : q(query) {}

    QString text() const { return lines.join(QLatin1Char('\n')); }

    void requireActive() const
    {
        if (state == DataSetState::Inactive)
            throw Error(kind::DataSetClosed, QStringLiteral("Consulta %1 fechada").arg(q.objectName()));
    }

    // Prepares the statement, or reuses the one prepared for the same text
    // and folder (maintenance statements run again and again).
    void prepare()
    {
        const QString folder = Database::folderOf(location);
        const QString sql = text();
        if (!stmt || sql != preparedText || folder != preparedFolder) {
            stmt.reset();
            preparedText.clear();
            dialect = SqlDialect::rewrite(sql);
            if (dialect.sql.isEmpty())
                throw Error(kind::SqlError, QStringLiteral("Consulta %1 sem comando SQL").arg(q.objectName()));
            db = Database::forFolder(folder);
            ensureTables();
            std::unique_ptr<Statement> st;
            try {
                st = std::make_unique<Statement>(*db, dialect.sql, false);
            } catch (const Error& e) {
                if (e.is(kind::SqlError) && e.text().startsWith(QLatin1String("no such column")))
                    throw Error(kind::FieldNotFound, e.text());
                throw;
            }
            if (st->hasTail())
                throw Error(kind::SqlError, QStringLiteral("Um comando SQL por vez: %1").arg(sql));
            stmt = std::move(st);
            preparedText = sql;
            preparedFolder = folder;
        } else {
            ensureTables();
            stmt->rewind();
        }
        for (int i = 1; i <= stmt->parameterCount(); ++i) {
            const QString name = stmt->parameterName(i);
            const QString key = name.mid(1).toLower();
            if (name.isEmpty() || !params.contains(key))
                throw Error(kind::SqlError,
                            QStringLiteral("Parâmetro %1 sem valor").arg(name.isEmpty() ? QStringLiteral("?") : name));
            stmt->bind(i, params.value(key));
        }
    }

    // The tables the statement names must be there, with every field; a
    // missing one is named with its data file.
    void ensureTables()
    {
        for (const QString& t : dialect.catalogTables)
            db->checkTable(*Catalog::find(t));
        for (const QString& t : dialect.otherTables)
            if (!db->tableExists(t))
                throw Error(kind::TableNotFound, QStringLiteral("Tabela %1 não encontrada em %2").arg(t, db->path()));
    }

    bool fetchTo(int index)
    {
        while (!done && base + rows.size() <= index) {
            if (!stmt->step()) {
                done = true;
                total = base + int(rows.size());
                break;
            }
            QVariantList row;
            for (int c = 0; c < stmt->columnCount(); ++c)
                row << stmt->column(c);
            rows << row;
            const int keepFrom = index - Window;
            while (!rows.isEmpty() && base < keepFrom) {
                rows.removeFirst();
                ++base;
            }
        }
        if (index < base) {
            stmt->rewind();
            rows.clear();
            base = qMax(0, index - Window / 2);
            done = false;
            for (int skip = 0; skip < base; ++skip)
                if (!stmt->step()) {
                    done = true;
                    break;
                }
            if (done) {
                total = base;
                return false;
            }
            return fetchTo(index);
        }
        return index >= 0 && index < base + rows.size();
    }

    void describe()
    {
        resultFields.clear();
        QHash<QString, int> seen;
        fetchTo(0);
        const QVariantList sample = rows.isEmpty() ? QVariantList() : rows.first();
        QList<int> shown;
        for (int c = 0; c < stmt->columnCount(); ++c) {
            QString name = stmt->columnName(c);
            // The row id is the engine's, not a field of the suite's tables:
            // "select *" shows the fields only.
            const bool rowId = stmt->columnOrigin(c) == QLatin1String(Database::IdColumn);
            if (!rowId)
                shown << c;
            const int n = seen.value(name.toLower(), 0);
            seen[name.toLower()] = n + 1;
            if (n > 0)
                name += QLatin1Char('_') + QString::number(n);
            FieldDef f{name, FieldKind::Text, 0};
            const TableDef* def = Catalog::find(stmt->columnTable(c));
            const FieldDef* origin = def ? def->field(stmt->columnOrigin(c)) : nullptr;
            if (origin) {
                f.kind = origin->kind;
                f.size = origin->size;
            } else if (dialect.floatColumns.contains(stmt->columnName(c).toLower())) {
                f.kind = FieldKind::Float;
            } else {
                bool known = false;
                f.kind = kindOfDeclType(stmt->columnDeclType(c), c < sample.size() ? sample.at(c) : QVariant(), &known);
            }
            resultFields << f;
        }
        visibleFields.clear();
        visibleColumn.clear();
        if (declared.isEmpty()) {
            for (const int c : shown) {
                visibleFields << resultFields.at(c);
                visibleColumn << c;
            }
            return;
        }
        for (const FieldDef& f : declared) {
            int column = -1;
            for (int c = 0; c < resultFields.size() && column < 0; ++c)
                if (resultFields.at(c).name.compare(f.name, Qt::CaseInsensitive) == 0)
                    column = c;
            if (column < 0)
                throw Error(kind::FieldNotFound,
                            QStringLiteral("Campo %1 não está no resultado da consulta %2").arg(f.name, q.objectName()));
            visibleFields << f;
            visibleColumn << column;
        }
    }

    void moveTo(int index, bool atEof, bool atBof)
    {
        pos = index;
        eof = atEof;
        bof = atBof;
        emit q.rowChanged();
    }

    [[noreturn]] void readOnly() const
    {
        throw Error(kind::NotEditing, QStringLiteral("A consulta %1 é somente leitura").arg(q.objectName()));
    }
};

Query::Query(QString location, QObject* parent) : DataSet(parent), d(std::make_unique<Impl>(*this))
{
    d->location = std::move(location);
}

Query::~Query() = default;

void Query::clearSql() { d->lines.clear(); }
void Query::addSql(const QString& line) { d->lines << line; }
void Query::setSql(const QString& text) { d->lines = text.split(QLatin1Char('\n')); }
QString Query::sql() const { return d->text(); }
QStringList Query::sqlLines() const { return d->lines; }

void Query::bindValue(const QString& name, const QVariant& v)
{
    QString key = name.startsWith(QLatin1Char(':')) ? name.mid(1) : name;
    d->params.insert(key.toLower(), v);
}

void Query::setDeclaredFields(const QList<FieldDef>& fields) { d->declared = fields; }

void Query::execSql()
{
    close();
    d->prepare();
    try {
        while (d->stmt->step()) {
        }
    } catch (...) {
        d->stmt->rewind();
        throw;
    }
    d->affected = d->stmt->readOnly() ? 0 : d->db->changes();
    d->stmt->rewind();
}

int Query::rowsAffected() const { return d->affected; }

void Query::open()
{
    if (active())
        return;
    try {
        d->prepare();
        if (d->stmt->columnCount() == 0)
            throw Error(kind::SqlError, QStringLiteral("O comando não devolve linhas: %1").arg(d->text()));
        d->rows.clear();
        d->base = 0;
        d->pos = -1;
        d->done = false;
        d->total = -1;
        d->describe();
    } catch (...) {
        if (d->stmt)
            d->stmt->rewind();
        d->rows.clear();
        throw;
    }
    d->pos = d->rows.isEmpty() ? -1 : 0;
    d->eof = d->pos < 0;
    d->bof = true;
    d->state = DataSetState::Browse;
    emit stateChanged();
    emit rowChanged();
}

void Query::close()
{
    if (!active())
        return;
    d->stmt->rewind(); // gives the file back to other programs; kept for the next run
    d->rows.clear();
    d->resultFields.clear();
    d->visibleFields.clear();
    d->visibleColumn.clear();
    d->pos = -1;
    d->eof = d->bof = true;
    d->state = DataSetState::Inactive;
    emit stateChanged();
    emit rowChanged();
}

DataSetState Query::state() const { return d->state; }

void Query::first()
{
    d->requireActive();
    const bool any = d->fetchTo(0);
    d->moveTo(any ? 0 : -1, !any, true);
}

void Query::last()
{
    d->requireActive();
    while (d->fetchTo(d->base + int(d->rows.size()))) {
    }
    const int lastIndex = d->total - 1;
    if (lastIndex >= 0)
        d->fetchTo(lastIndex);
    d->moveTo(lastIndex, true, lastIndex < 0);
}

void Query::next()
{
    d->requireActive();
    if (d->pos < 0) {
        d->eof = true;
        return;
    }
    if (d->fetchTo(d->pos + 1))
        d->moveTo(d->pos + 1, false, false);
    else
        d->eof = true;
}

void Query::prior()
{
    d->requireActive();
    if (d->pos <= 0) {
        d->bof = true;
        return;
    }
    d->fetchTo(d->pos - 1);
    d->moveTo(d->pos - 1, false, false);
}

bool Query::eof() const { return d->eof; }
bool Query::bof() const { return d->bof; }

int Query::recordCount()
{
    d->requireActive();
    if (d->total >= 0)
        return d->total;
    // Counted by SQLite, not by reading the rows here.
    Statement count(*d->db, QStringLiteral("SELECT count(*) FROM (%1)").arg(d->dialect.sql), false);
    for (int i = 1; i <= count.parameterCount(); ++i)
        count.bind(i, d->params.value(count.parameterName(i).mid(1).toLower()));
    d->total = count.step() ? int(count.column(0).toLongLong()) : 0;
    return d->total;
}

const QList<FieldDef>& Query::fields() const { return active() ? d->visibleFields : d->declared; }

QVariant Query::value(const QString& field) const
{
    d->requireActive();
    int i = 0;
    for (; i < d->visibleFields.size(); ++i)
        if (d->visibleFields.at(i).name.compare(field, Qt::CaseInsensitive) == 0)
            break;
    if (i == d->visibleFields.size())
        throw Error(kind::FieldNotFound, QStringLiteral("Campo %1 não encontrado na consulta %2").arg(field, objectName()));
    if (d->pos < d->base || d->pos >= d->base + d->rows.size())
        return {};
    const QVariant& raw = d->rows.at(d->pos - d->base).at(d->visibleColumn.at(i));
    return stored::fromStorage(d->visibleFields.at(i).kind, raw);
}

void Query::setValue(const QString&, const QVariant&) { d->readOnly(); }
void Query::append() { d->readOnly(); }
void Query::edit() { d->readOnly(); }
void Query::post() {}
void Query::cancel() {}
void Query::remove() { d->readOnly(); }

void Query::refresh()
{
    if (!active())
        return;
    const int keep = d->pos;
    close();
    open();
    if (keep > 0 && d->fetchTo(keep))
        d->moveTo(keep, false, false);
}

void Query::setFilter(const QString& text)
{
    if (!text.trimmed().isEmpty())
        throw Error(kind::BadFilter, QStringLiteral("Consulta %1: filtre no próprio SQL").arg(objectName()));
}

QString Query::filter() const { return {}; }

void Query::setFiltered(bool on)
{
    if (on)
        throw Error(kind::BadFilter, QStringLiteral("Consulta %1: filtre no próprio SQL").arg(objectName()));
}

bool Query::filtered() const { return false; }

QVariant Query::bookmark() const
{
    d->requireActive();
    return d->pos < 0 ? QVariant() : QVariant(d->pos);
}

void Query::goToBookmark(const QVariant& b)
{
    d->requireActive();
    bool ok = false;
    const int index = b.toInt(&ok);
    if (!ok || !d->fetchTo(index))
        throw Error(kind::InvalidValue, QStringLiteral("Registro marcado não existe na consulta %1").arg(objectName()));
    d->moveTo(index, false, false);
}

} // namespace qor::data
