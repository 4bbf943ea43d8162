#pragma once

#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace qor::orderdb {
class SQLConnection;
}

namespace qor::test {

// An order database for one test, as scripts/orderdb/create.sh makes it
// (schema, demo orders, demo workstation, demo users). By default it is the file
// the data module connects to under the current suite root (make a
// TempSuite first), so each test gets its own.
//
// Tests run in-process (embedded) by default. With QOR_FB_SERVER set to a
// host (scripts/test-orderdb-server.sh sets 127.0.0.1) they go through the
// server there: the file is handed to the server's user and its folders
// made reachable.
class TempOrderDb {
public:
    TempOrderDb();
    explicit TempOrderDb(QString path);

    QString path() const { return path_; }
    // The Database parameter to connect with in the current mode.
    QString database() const;
    // Points `connection` at this database and connects.
    void connect(orderdb::SQLConnection& connection) const;
    // Writes the one active Servidor row (suite table) that makes the data
    // module's set-up reach this database, in the current mode. Only for
    // the default path.
    void writeServidor() const;

    static QString serverHost(); // "" when embedded
    // The file of the system's client library (to copy or link elsewhere).
    static QString systemClientLibrary();
    static bool serverMode() { return !serverHost().isEmpty(); }
    // Stops the server and starts it again (scripts/firebird-server.sh
    // restart): every attachment to it is lost. Server mode only.
    static void restartServer();
    // Stops the server (every attachment to it is lost) and starts it again.
    static void stopServer();
    static void startServer();

    // While it lives the server is frozen (firebird-server.sh freeze: its
    // process stopped, as on a hung machine; connections stay open and
    // nothing answers); its end thaws it, however the test ends. A test
    // stuck on it still gets its server back after a minute. Server mode only.
    class FrozenServer {
    public:
        FrozenServer();
        ~FrozenServer();
        FrozenServer(const FrozenServer&) = delete;
        FrozenServer& operator=(const FrozenServer&) = delete;

    private:
        std::mutex mutex_;
        std::condition_variable ended_;
        bool ending_ = false;
        std::thread lastResort_;
    };

private:
    QString path_;
};

} // namespace qor::test
