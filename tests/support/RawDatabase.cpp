#include "tests/support/RawDatabase.h"

#include "data/local/Database.h"

#include <sqlite3.h>

namespace qor::test {

QString RawDatabase::filePath(const QString& location)
{
    return data::Database::folderOf(location) + QLatin1Char('/') + QLatin1String(data::Database::FileName);
}

RawDatabase::RawDatabase(const QString& location) : RawDatabase(filePath(location), 0) {}

RawDatabase::RawDatabase(const QString& path, int)
{
    sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    sqlite3_busy_timeout(db_, 2000);
}

RawDatabase::~RawDatabase() { sqlite3_close_v2(db_); }

bool RawDatabase::exec(const QString& sql)
{
    return sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

QVariant RawDatabase::scalar(const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    QVariant out;
    if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
        switch (sqlite3_column_type(st, 0)) {
        case SQLITE_INTEGER:
            out = qlonglong(sqlite3_column_int64(st, 0));
            break;
        case SQLITE_FLOAT:
            out = sqlite3_column_double(st, 0);
            break;
        case SQLITE_TEXT:
            out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            break;
        default:
            break;
        }
    }
    sqlite3_finalize(st);
    return out;
}

QString RawDatabase::error() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

} // namespace qor::test
