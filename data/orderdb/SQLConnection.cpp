#include "data/orderdb/SQLConnection.h"

#include "data/base/Error.h"
#include "data/orderdb/ClientLibrary.h"
#include "data/orderdb/FbSession.h"

namespace qor::orderdb {

namespace {

[[noreturn]] void unsupported(const QString& name, const QString& value)
{
    throw Error(kind::InvalidValue,
                QStringLiteral("Parâmetro de conexão %1=%2 não suportado pelo programa").arg(name, value));
}

QByteArray transactionParams(const QString& isolation, const QString& waitOnLocks)
{
    QByteArray tpb;
    tpb += char(isc_tpb_version3);
    tpb += char(isc_tpb_write);
    if (isolation.compare(QLatin1String("ReadCommited"), Qt::CaseInsensitive) == 0) {
        tpb += char(isc_tpb_read_committed);
        tpb += char(isc_tpb_rec_version);
    } else if (isolation.compare(QLatin1String("RepeatableRead"), Qt::CaseInsensitive) == 0) {
        tpb += char(isc_tpb_concurrency);
    } else {
        unsupported(QStringLiteral("Interbase TransIsolation"), isolation);
    }
    tpb += char(waitOnLocks.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 ? isc_tpb_nowait : isc_tpb_wait);
    return tpb;
}

} // namespace

SQLConnection::SQLConnection(QObject* parent)
    : QObject(parent),
      vendorLib_(ClientLibrary::defaultPath()),
      params_{QStringLiteral("DriverName=Interbase"),
              QStringLiteral("Database=127.0.0.1:c:\\quelvora\\dados\\quelvora.bd"),
              QStringLiteral("RoleName=RoleName"),
              QStringLiteral("User_Name=sysdba"),
              QStringLiteral("Password=quorbelin"),
              QStringLiteral("ServerCharSet=WIN1252"),
              QStringLiteral("SQLDialect=3"),
              QStringLiteral("ErrorResourceFile="),
              QStringLiteral("LocaleCode=0000"),
              QStringLiteral("BlobSize=-1"),
              QStringLiteral("CommitRetain=False"),
              QStringLiteral("WaitOnLocks=True"),
              QStringLiteral("Interbase TransIsolation=ReadCommited"),
              QStringLiteral("Trim Char=False")}
{
    setObjectName(QStringLiteral("SQLConnection1"));
}

SQLConnection::~SQLConnection() = default;

QString SQLConnection::param(const QString& name) const
{
    const QString prefix = name + QLatin1Char('=');
    for (const QString& entry : params_)
        if (entry.startsWith(prefix, Qt::CaseInsensitive))
            return entry.mid(prefix.size());
    return {};
}

void SQLConnection::setParam(const QString& name, const QString& value)
{
    const QString prefix = name + QLatin1Char('=');
    for (QString& entry : params_) {
        if (entry.startsWith(prefix, Qt::CaseInsensitive)) {
            entry = entry.left(prefix.size()) + value;
            return;
        }
    }
    params_ << prefix + value;
}

void SQLConnection::open()
{
    if (session_)
        return;
    fb::AttachParams p;
    p.database = param(QStringLiteral("Database"));
    p.user = param(QStringLiteral("User_Name"));
    p.password = param(QStringLiteral("Password"));
    p.role = param(QStringLiteral("RoleName"));
    p.charSet = param(QStringLiteral("ServerCharSet"));
    if (p.charSet.compare(QLatin1String("WIN1252"), Qt::CaseInsensitive) != 0)
        unsupported(QStringLiteral("ServerCharSet"), p.charSet);
    bool ok = false;
    p.dialect = param(QStringLiteral("SQLDialect")).toInt(&ok);
    if (!ok || p.dialect != 3)
        unsupported(QStringLiteral("SQLDialect"), param(QStringLiteral("SQLDialect")));
    p.tpb = transactionParams(param(QStringLiteral("Interbase TransIsolation")), param(QStringLiteral("WaitOnLocks")));
    p.answerLimit = answerLimit();
    session_ = std::make_unique<fb::Session>(ClientLibrary::master(vendorLib_), p);
}

std::chrono::seconds SQLConnection::answerLimit()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("QOR_ORDERDB_TIMEOUT", &ok);
    return ok && seconds >= 1 ? std::chrono::seconds(seconds) : DefaultAnswerLimit;
}

void SQLConnection::close()
{
    session_.reset();
    lost_ = false;
}

bool SQLConnection::connected() const { return session_ && !session_->lost(); }

fb::Session& SQLConnection::session()
{
    if (session_ && session_->lost()) {
        session_.reset();
        lost_ = true;
    }
    if (!session_ && lost_) {
        open();
        lost_ = false;
    }
    if (!session_)
        throw Error(kind::NotConnected,
                    QStringLiteral("Não há conexão com o banco de dados de pedidos (%1): a conexão falhou ao iniciar "
                                   "o programa ou foi fechada")
                        .arg(param(QStringLiteral("Database"))));
    return *session_;
}

} // namespace qor::orderdb
