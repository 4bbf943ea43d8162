#include "data/local/Statement.h"

#include "data/local/Database.h"
#include "data/local/StoredValue.h"

#include <sqlite3.h>

namespace qor::data {

Statement::Statement(Database& db, const QString& sql, bool persistent) : db_(db), sql_(sql)
{
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(db.handle(), utf8.constData(), int(utf8.size()),
                                      persistent ? SQLITE_PREPARE_PERSISTENT : 0, &stmt_, &tail);
    if (rc != SQLITE_OK)
        db.raise(rc, sql);
    if (!stmt_)
        db.raise(SQLITE_MISUSE, QStringLiteral("comando SQL vazio"));
    hasTail_ = tail && QByteArray(tail).trimmed().size() > 0;
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, const QVariant& v)
{
    int rc = SQLITE_OK;
    if (v.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(stmt_, index, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt_, index, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob(stmt_, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDate:
        case QMetaType::QTime:
        case QMetaType::QDateTime: {
            // Typed parameters compare with stored dates and times as the fields keep them.
            const FieldKind kind = v.typeId() == QMetaType::QDate   ? FieldKind::Date
                                   : v.typeId() == QMetaType::QTime ? FieldKind::Time
                                                                    : FieldKind::DateTime;
            const QByteArray s = stored::toStorage(FieldDef{QStringLiteral("?"), kind, 0}, v).toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, index, s.constData(), int(s.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray s = v.toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, index, s.constData(), int(s.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        db_.raise(rc, sql_);
}

void Statement::bind(const QString& name, const QVariant& v)
{
    const QByteArray key = (name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name).toUtf8();
    const int index = sqlite3_bind_parameter_index(stmt_, key.constData());
    if (index > 0)
        bind(index, v);
}

void Statement::bindAll(const QVariantList& values, int first)
{
    for (int i = 0; i < values.size(); ++i)
        bind(first + i, values.at(i));
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    db_.raise(rc, sql_);
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void Statement::rewind() { sqlite3_reset(stmt_); }

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

QVariant Statement::column(int i) const
{
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)),
                                          sqlite3_column_bytes(stmt_, i)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)),
                                   sqlite3_column_bytes(stmt_, i)));
    default:
        return {};
    }
}

static QString fromC(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

QString Statement::columnName(int i) const { return fromC(sqlite3_column_name(stmt_, i)); }
QString Statement::columnTable(int i) const { return fromC(sqlite3_column_table_name(stmt_, i)); }
QString Statement::columnOrigin(int i) const { return fromC(sqlite3_column_origin_name(stmt_, i)); }
QString Statement::columnDeclType(int i) const { return fromC(sqlite3_column_decltype(stmt_, i)); }
int Statement::parameterCount() const { return sqlite3_bind_parameter_count(stmt_); }
QString Statement::parameterName(int i) const { return fromC(sqlite3_bind_parameter_name(stmt_, i)); }
bool Statement::readOnly() const { return sqlite3_stmt_readonly(stmt_) != 0; }

} // namespace qor::data
