#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;

namespace qor::test {

// A second, plain SQLite connection to a location's data file, standing for
// another program of the suite: holds locks, breaks indexes, reads what the
// engine stored. Raises nothing; exec() returns false and error() tells.
class RawDatabase {
public:
    explicit RawDatabase(const QString& location);
    ~RawDatabase();
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    static QString filePath(const QString& location);
    // A data file named by its path on this machine (a copy outside the suite).
    static RawDatabase atPath(const QString& path) { return RawDatabase(path, 0); }

    bool exec(const QString& sql);
    QVariant scalar(const QString& sql); // first column of the first row
    QString error() const;

private:
    RawDatabase(const QString& path, int);
    sqlite3* db_ = nullptr;
};

} // namespace qor::test
