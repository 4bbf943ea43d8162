#include "data/local/Transaction.h"

#include "data/local/Database.h"

#include <sqlite3.h>

namespace qor::data {

namespace {

// Savepoints rather than BEGIN, so that a unit may run inside another one.
QString nextSavepoint()
{
    static quint64 counter = 0;
    return QStringLiteral("qor_unit_%1").arg(++counter);
}

} // namespace

Transaction::Transaction(const QString& location)
    : db_(Database::forFolder(Database::folderOf(location))), savepoint_(nextSavepoint())
{
    db_->exec(QStringLiteral("SAVEPOINT ") + savepoint_);
}

Transaction::~Transaction()
{
    if (done_)
        return;
    // Undo and end the unit; nothing may escape a destructor, and the error
    // that brought us here is the one the caller reports.
    const QByteArray undo = QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(savepoint_).toUtf8();
    sqlite3_exec(db_->handle(), undo.constData(), nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    db_->exec(QStringLiteral("RELEASE ") + savepoint_);
    done_ = true;
}

} // namespace qor::data
