#pragma once

#include <QString>

struct sqlite3;

namespace qor::backup {

// One plain connection to a data file for copying it whole, apart from the
// table layer (which would switch a copy to WAL and keep it open). Raises
// qor::Error naming the file.
class ArquivoSqlite {
public:
    enum class Abertura { Existente, Nova };
    ArquivoSqlite(const QString& caminho, Abertura abertura);
    ~ArquivoSqlite();
    ArquivoSqlite(const ArquivoSqlite&) = delete;
    ArquivoSqlite& operator=(const ArquivoSqlite&) = delete;

    const QString& caminho() const { return caminho_; }

    // Copies every page of `origem` into this file with SQLite's online
    // backup: one read transaction on the source, so the copy is the state
    // of one moment even while other programs write.
    void copiaDe(const ArquivoSqlite& origem);

    // A file of its own: the copy leaves WAL mode (no -wal/-shm beside it).
    void deixaAutonomo();

    // Raises DatabaseCorrupt with SQLite's first complaint unless
    // PRAGMA integrity_check answers "ok".
    void confereIntegridade();

    // Holds the file for this connection alone until it closes; raises
    // DatabaseLocked, changing nothing, while any other program has it open.
    void tomaSoParaSi();

private:
    void exec(const char* sql);
    [[noreturn]] void falha(const QString& oQue) const;

    QString caminho_;
    sqlite3* db_ = nullptr;
};

} // namespace qor::backup
