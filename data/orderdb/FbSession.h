#pragma once

// Internal to the order-database library: one attachment through the
// client library's interfaces, and the transactions and errors around it.

#include <firebird/Interface.h>

#include <QByteArray>
#include <QString>

namespace qor::orderdb::fb {

// The step a failure happened in; it picks the error kind of failures that
// are not the network's or the login's.
enum class Step { Attach, Statement, Apply };

struct AttachParams {
    QString database; // "host:path", "host/port:path" or a local path (embedded)
    QString user;
    QString password;
    QString role;
    QString charSet;
    int dialect = 3;
    QByteArray tpb; // transaction parameters for every transaction
};

// The host part of a database string, "" for a local (embedded) one.
QString hostOf(const QString& database);

class Session {
public:
    Session(Firebird::IMaster* master, const AttachParams& params); // attaches or raises
    ~Session();                                                     // detaches
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Firebird::CheckStatusWrapper& status() { return status_; }
    Firebird::IAttachment* attachment() const { return attachment_; }
    unsigned dialect() const { return dialect_; }
    const QByteArray& tpb() const { return tpb_; }
    const QString& database() const { return database_; }

    bool failed() const { return (status_.getState() & Firebird::IStatus::STATE_ERRORS) != 0; }
    // Once a call failed for the network or a shut-down attachment, this
    // attachment is dead for good: the server does not take it back.
    bool lost() const { return lost_; }
    // Raises the failure of the last call as a qor::Error: network failures
    // as ServerUnreachable naming the host (and the session lost), refused logins as LoginRefused,
    // the rest by step (Attach: DatabaseMissing/DatabaseCorrupt/SqlError,
    // Statement: StatementRejected, Apply: UpdateConflict when another
    // transaction changed the row first, else UpdateRejected). `context` leads
    // the text.
    [[noreturn]] void raise(Step step, const QString& context);
    void check(Step step, const QString& context)
    {
        if (failed())
            raise(step, context);
    }

private:
    QByteArray buildDpb(const AttachParams& params, const QString& context);
    QString serverText();

    Firebird::IMaster* master_;
    Firebird::IStatus* rawStatus_;
    Firebird::CheckStatusWrapper status_;
    Firebird::IAttachment* attachment_ = nullptr;
    unsigned dialect_;
    QByteArray tpb_;
    QString database_;
    QString host_;
    bool lost_ = false;
};

// A transaction that rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Session& session);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    Firebird::ITransaction* get() const { return transaction_; }
    void commit(Step step);

private:
    Session& session_;
    Firebird::ITransaction* transaction_;
};

} // namespace qor::orderdb::fb
