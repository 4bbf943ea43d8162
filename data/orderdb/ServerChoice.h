#pragma once

#include <QString>

namespace qor::orderdb {

// Where the order database is: the server address picked from the rows of
// the Servidor table, and the Database parameter built from it.
class ServerChoice {
public:
    // Feed every row of Servidor in table order: an active row ("S" in any
    // case) makes its IP, cut to 30 characters, the address; the last
    // active row wins.
    void consider(const QString& ativo, const QString& ip);
    // "127.0.0.1" while no row was active; "" for an active row without an
    // IP (the database file is opened in-process, without a server).
    QString address() const { return address_; }

    // The database file: always the same path; only the host changes.
    static QString databasePath();
    // address + ":" + databasePath(), or the path alone for "".
    static QString databaseFor(const QString& address);

private:
    QString address_ = QStringLiteral("127.0.0.1");
};

} // namespace qor::orderdb
