#include "app/backup/ArquivoSqlite.h"

#include "data/base/Error.h"

#include <QDir>

#include <sqlite3.h>

namespace qor::backup {

namespace {

// A till writing a movement holds the file for a few milliseconds.
constexpr int EsperaPorOutroPrograma = 10000;

} // namespace

ArquivoSqlite::ArquivoSqlite(const QString& caminho, Abertura abertura) : caminho_(caminho)
{
    const int flags = SQLITE_OPEN_READWRITE | (abertura == Abertura::Nova ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(QDir::toNativeSeparators(caminho).toUtf8().constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK)
        falha(QStringLiteral("abrir"));
    sqlite3_busy_timeout(db_, EsperaPorOutroPrograma);
}

ArquivoSqlite::~ArquivoSqlite() { sqlite3_close_v2(db_); }

void ArquivoSqlite::copiaDe(const ArquivoSqlite& origem)
{
    sqlite3_backup* copia = sqlite3_backup_init(db_, "main", origem.db_, "main");
    if (!copia)
        falha(QStringLiteral("copiar ") + origem.caminho_ + QStringLiteral(" para"));
    int rc;
    do {
        rc = sqlite3_backup_step(copia, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            sqlite3_sleep(50);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(copia);
    if (rc != SQLITE_DONE)
        throw Error(kind::IoError, QStringLiteral("Não foi possível copiar %1 para %2: %3")
                                       .arg(origem.caminho_, caminho_, QString::fromUtf8(sqlite3_errstr(rc))));
}

void ArquivoSqlite::deixaAutonomo() { exec("PRAGMA journal_mode=DELETE"); }

void ArquivoSqlite::confereIntegridade()
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, "PRAGMA integrity_check", -1, &st, nullptr) != SQLITE_OK)
        falha(QStringLiteral("conferir"));
    QString resposta;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        resposta = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW)
        falha(QStringLiteral("conferir"));
    if (resposta != QLatin1String("ok"))
        throw Error(kind::DatabaseCorrupt, QStringLiteral("%1 está danificado: %2").arg(caminho_, resposta));
}

void ArquivoSqlite::tomaSoParaSi()
{
    // Every program with the file open in WAL mode keeps a shared lock on
    // it; the exclusive lock kept by locking_mode=EXCLUSIVE is only granted
    // when no other program holds one.
    sqlite3_busy_timeout(db_, 0);
    exec("PRAGMA locking_mode=EXCLUSIVE");
    if (sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw Error(kind::DatabaseLocked,
                    QStringLiteral("%1 está em uso por outro programa (feche os caixas desta estação)").arg(caminho_));
    exec("COMMIT");
    sqlite3_busy_timeout(db_, EsperaPorOutroPrograma);
}

void ArquivoSqlite::exec(const char* sql)
{
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        falha(QString::fromUtf8(sql) + QStringLiteral(" em"));
}

void ArquivoSqlite::falha(const QString& oQue) const
{
    const QString motivo = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("sem memória");
    const int rc = db_ ? sqlite3_errcode(db_) : SQLITE_NOMEM;
    const QString tipo = rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB ? kind::DatabaseCorrupt
                         : rc == SQLITE_BUSY || rc == SQLITE_LOCKED  ? kind::DatabaseLocked
                                                                      : kind::IoError;
    throw Error(tipo, QStringLiteral("Não foi possível %1 %2: %3").arg(oQue, caminho_, motivo));
}

} // namespace qor::backup
