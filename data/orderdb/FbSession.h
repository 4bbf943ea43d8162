#pragma once

// Internal to the order-database library: one attachment through the
// client library's interfaces, and the transactions and errors around it.

#include "data/orderdb/FbWatchdog.h"

#include <firebird/Interface.h>

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>

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
    // How long a call to a server may wait for its answer (see Watchdog);
    // 0: as long as it takes.
    std::chrono::seconds answerLimit{0};
};

// The host part of a database string, "" for a local (embedded) one.
QString hostOf(const QString& database);

class Session {
public:
    // Attaches or raises. To a server, the wait for its first answer is
    // bounded by the answer limit, and so is every call after (bounded()).
    Session(Firebird::IMaster* master, const AttachParams& params);
    ~Session(); // detaches
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Firebird::CheckStatusWrapper& status() { return status_; }
    Firebird::IAttachment* attachment() const { return attachment_; }
    unsigned dialect() const { return dialect_; }
    const QByteArray& tpb() const { return tpb_; }
    const QString& database() const { return database_; }

    bool failed() const { return (status_.getState() & Firebird::IStatus::STATE_ERRORS) != 0; }
    // Runs one call to the client library. On a server's attachment the
    // call has the answer limit to return; past it the attachment is closed
    // under the call, which fails, and the session is lost.
    template <typename Call> auto bounded(Call&& call) -> decltype(call())
    {
        if (!watchdog_)
            return call();
        watchdog_->arm();
        const Disarm disarm{*this};
        return call();
    }
    // Once a call failed for the network or a shut-down attachment, this
    // attachment is dead for good: the server does not take it back.
    bool lost() const { return lost_; }
    // Raises the failure of the last call as a qor::Error: network failures
    // and calls the server left unanswered past the limit as
    // ServerUnreachable naming the host (and the session lost), refused
    // logins as LoginRefused, the rest by step (Attach: DatabaseMissing/
    // DatabaseCorrupt/SqlError, Statement: StatementRejected, Apply:
    // UpdateConflict when another transaction changed the row first, else
    // UpdateRejected). `context` leads the text.
    [[noreturn]] void raise(Step step, const QString& context);
    void check(Step step, const QString& context)
    {
        if (failed())
            raise(step, context);
    }

private:
    struct Disarm {
        Session& session;
        ~Disarm() { session.disarm(); }
    };
    void disarm();
    // In-process attachments have no server to wait for.
    bool bounds() const { return !host_.isEmpty() && answerLimit_.count() > 0; }
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
    std::chrono::seconds answerLimit_;
    std::unique_ptr<Watchdog> watchdog_; // on a server's attachment only
    bool lost_ = false;
    bool unanswered_ = false; // the watchdog closed the attachment
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
