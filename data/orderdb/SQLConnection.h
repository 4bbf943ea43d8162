#pragma once

#include <QObject>
#include <QStringList>

#include <chrono>
#include <memory>

namespace qor::orderdb {

namespace fb {
class Session;
}

// The one connection to the order database (object name "SQLConnection1").
// Its settings are those of the suite's other programs; the parameter list
// keeps their names and order, and the Database parameter is the only one
// the start-up replaces. Text goes to and from the server as Windows-1252.
class SQLConnection : public QObject {
    Q_OBJECT
public:
    explicit SQLConnection(QObject* parent = nullptr);
    ~SQLConnection() override;

    QString connectionName() const { return QStringLiteral("IBConnection"); }
    QString driverName() const { return QStringLiteral("Interbase"); }
    QString libraryName() const { return QStringLiteral("dbexpint.dll"); }
    QString getDriverFunc() const { return QStringLiteral("getSQLDriverINTERBASE"); }
    bool loginPrompt() const { return false; }

    // The client library (see ClientLibrary); the system's own by default.
    QString vendorLib() const { return vendorLib_; }
    void setVendorLib(const QString& path) { vendorLib_ = path; }

    // "Name=Value" entries in order.
    const QStringList& params() const { return params_; }
    // By name, without regard to case; "" when absent.
    QString param(const QString& name) const;
    // Replaces the value in place (the name keeps its spelling), or appends.
    void setParam(const QString& name, const QString& value);

    // Connects with Database, User_Name, Password, RoleName, ServerCharSet
    // (WIN1252 only), SQLDialect (3 only), and for every transaction the isolation
    // and lock wait of "Interbase TransIsolation" and "WaitOnLocks".
    // Raises ClientLibrary, ServerUnreachable (naming the host),
    // LoginRefused, DatabaseMissing, DatabaseCorrupt, InvalidValue (a
    // setting we cannot honour) or SqlError. Connected already: nothing.
    // On a server, each call waits at most answerLimit() for its answer;
    // one left unanswered loses the link (ServerUnreachable), as a network
    // failure does.
    void open();
    void close();
    // False once a lost link was found (the server restarted, the network
    // dropped, the attachment was shut down), until it is re-established.
    bool connected() const;

    // For the command objects; raises NotConnected when never connected or
    // closed. A link found lost is re-established here, once per use: when
    // that attempt fails, the server's error is raised and the next use
    // tries again.
    fb::Session& session();

    // $QOR_ORDERDB_TIMEOUT seconds when it is a whole number from 1, else
    // DefaultAnswerLimit. Read at each connection.
    static std::chrono::seconds answerLimit();
    static constexpr std::chrono::seconds DefaultAnswerLimit{20};

private:
    QString vendorLib_;
    QStringList params_;
    std::unique_ptr<fb::Session> session_;
    bool lost_ = false; // the link was lost, not closed: the next use reconnects
};

} // namespace qor::orderdb
