#include "data/local/Transaction.h"

#include "data/local/Database.h"

#include <sqlite3.h>

namespace qor::data {

namespace {

QString nextSavepoint()
{
    static quint64 counter = 0;
    return QStringLiteral("qor_unit_%1").arg(++counter);
}

} // namespace

Transaction::Transaction(const QString& location) : db_(Database::forFolder(Database::folderOf(location)))
{
    if (!db_->inTransaction()) {
        db_->exec(QStringLiteral("BEGIN IMMEDIATE"));
        return;
    }
    savepoint_ = nextSavepoint();
    db_->exec(QStringLiteral("SAVEPOINT ") + savepoint_);
}

Transaction::~Transaction()
{
    if (done_)
        return;
    // Undo and end the unit; nothing may escape a destructor, and the error
    // that brought us here is the one the caller reports.
    if (savepoint_.isEmpty()) {
        db_->rollback();
        return;
    }
    const QByteArray undo = QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(savepoint_).toUtf8();
    sqlite3_exec(db_->handle(), undo.constData(), nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    db_->exec(savepoint_.isEmpty() ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE ") + savepoint_);
    done_ = true;
}

} // namespace qor::data
