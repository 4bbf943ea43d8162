#include "data/orderdb/FbSession.h"

#include "data/base/Error.h"
#include "data/base/Text.h"

#include <array>
#include <initializer_list>

namespace qor::orderdb::fb {

using namespace Firebird;

namespace {

bool hasCode(const intptr_t* errors, std::initializer_list<intptr_t> codes)
{
    // The vector is a list of (argument kind, value) pairs; a C string with
    // its length takes three slots.
    for (const intptr_t* p = errors; p && *p != isc_arg_end;) {
        if (p[0] == isc_arg_gds)
            for (intptr_t code : codes)
                if (p[1] == code)
                    return true;
        p += p[0] == isc_arg_cstring ? 3 : 2;
    }
    return false;
}

QString attachKind(const intptr_t* errors)
{
    if (hasCode(errors, {isc_io_error, isc_io_open_err}))
        return kind::DatabaseMissing;
    if (hasCode(errors, {isc_bad_db_format}))
        return kind::DatabaseCorrupt;
    return kind::SqlError;
}

} // namespace

QString hostOf(const QString& database)
{
    const qsizetype colon = database.indexOf(QLatin1Char(':'));
    // "C:\..." is a drive, not a host.
    if (colon <= 1)
        return {};
    QString host = database.left(colon);
    const qsizetype port = host.indexOf(QLatin1Char('/'));
    return port < 0 ? host : host.left(port);
}

Session::Session(IMaster* master, const AttachParams& params)
    : master_(master),
      rawStatus_(master->getStatus()),
      status_(rawStatus_),
      dialect_(static_cast<unsigned>(params.dialect)),
      tpb_(params.tpb),
      database_(params.database),
      host_(hostOf(params.database)),
      answerLimit_(params.answerLimit)
{
    const QString context
        = host_.isEmpty()
              ? QStringLiteral("Não foi possível abrir o banco de dados de pedidos \"%1\"").arg(database_)
              : QStringLiteral("Não foi possível conectar ao banco de dados de pedidos \"%1\" no servidor \"%2\"")
                    .arg(database_, host_);
    try {
        const QByteArray dpb = buildDpb(params, context);
        IProvider* provider = master_->getDispatcher();
        attachment_ = provider->attachDatabase(&status_, text::toWin1252(params.database).constData(),
                                               static_cast<unsigned>(dpb.size()),
                                               reinterpret_cast<const unsigned char*>(dpb.constData()));
        provider->release();
        check(Step::Attach, context);
        if (bounds())
            watchdog_ = std::make_unique<Watchdog>(master_, attachment_, answerLimit_);
    } catch (...) {
        if (attachment_) {
            attachment_->detach(&status_);
            if (failed())
                attachment_->release();
        }
        rawStatus_->dispose();
        throw;
    }
}

QByteArray Session::buildDpb(const AttachParams& params, const QString& context)
{
    IXpbBuilder* dpb = master_->getUtilInterface()->getXpbBuilder(&status_, IXpbBuilder::DPB, nullptr, 0);
    check(Step::Attach, context);
    QByteArray bytes;
    try {
        const auto put = [&](unsigned char tag, const QString& value) {
            if (value.isEmpty())
                return;
            dpb->insertString(&status_, tag, text::toWin1252(value).constData());
            check(Step::Attach, context);
        };
        put(isc_dpb_user_name, params.user);
        put(isc_dpb_password, params.password);
        put(isc_dpb_sql_role_name, params.role);
        put(isc_dpb_lc_ctype, params.charSet);
        dpb->insertInt(&status_, isc_dpb_sql_dialect, params.dialect);
        check(Step::Attach, context);
        // The client's own limit on the wait for the server's first answer:
        // the watchdog needs an attachment to act on.
        if (bounds()) {
            dpb->insertInt(&status_, isc_dpb_connect_timeout, static_cast<int>(params.answerLimit.count()));
            check(Step::Attach, context);
        }
        const unsigned length = dpb->getBufferLength(&status_);
        check(Step::Attach, context);
        const unsigned char* buffer = dpb->getBuffer(&status_);
        check(Step::Attach, context);
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(length));
    } catch (...) {
        dpb->dispose();
        throw;
    }
    dpb->dispose();
    return bytes;
}

Session::~Session()
{
    bounded([this] { attachment_->detach(&status_); });
    watchdog_.reset();
    if (failed())
        attachment_->release(); // the server is gone; drop our side
    rawStatus_->dispose();
}

void Session::disarm()
{
    if (watchdog_->disarm())
        lost_ = unanswered_ = true;
}

QString Session::serverText()
{
    std::array<char, 2048> buffer{};
    master_->getUtilInterface()->formatStatus(buffer.data(), static_cast<unsigned>(buffer.size()), &status_);
    return text::fromWin1252(QByteArray(buffer.data())).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

void Session::raise(Step step, const QString& context)
{
    const intptr_t* errors = status_.getErrors();
    const QString server
        = unanswered_ ? QStringLiteral("o servidor não respondeu em %1 s").arg(answerLimit_.count()) : serverText();
    // A connection rejected is also what the first answer's limit gives.
    if (unanswered_
        || hasCode(errors, {isc_network_error, isc_net_connect_err, isc_net_read_err, isc_net_write_err, isc_conn_lost,
                            isc_lost_db_connection, isc_att_shutdown, isc_shutdown, isc_connect_reject})) {
        lost_ = attachment_ != nullptr;
        const QString where = host_.isEmpty() ? database_ : host_;
        throw Error(kind::ServerUnreachable,
                    QStringLiteral("Servidor \"%1\" do banco de dados de pedidos inacessível. %2: %3")
                        .arg(where, context, server));
    }
    if (hasCode(errors, {isc_login}))
        throw Error(kind::LoginRefused, QStringLiteral("%1: usuário ou senha recusados: %2").arg(context, server));
    if (step == Step::Apply && hasCode(errors, {isc_update_conflict, isc_deadlock}))
        throw Error(kind::UpdateConflict, QStringLiteral("%1: %2").arg(context, server));
    switch (step) {
    case Step::Attach:
        throw Error(attachKind(errors), QStringLiteral("%1: %2").arg(context, server));
    case Step::Statement:
        throw Error(kind::StatementRejected, QStringLiteral("%1: %2").arg(context, server));
    case Step::Apply:
        break;
    }
    throw Error(kind::UpdateRejected, QStringLiteral("%1: %2").arg(context, server));
}

Transaction::Transaction(Session& session)
    : session_(session),
      transaction_(session.bounded([&session] {
          const QByteArray& tpb = session.tpb();
          return session.attachment()->startTransaction(&session.status(), static_cast<unsigned>(tpb.size()),
                                                        reinterpret_cast<const unsigned char*>(tpb.constData()));
      }))
{
    session_.check(Step::Statement, QStringLiteral("Não foi possível iniciar uma transação no banco de dados de pedidos"));
}

Transaction::~Transaction()
{
    if (!transaction_)
        return;
    session_.bounded([this] { transaction_->rollback(&session_.status()); });
    if (session_.failed())
        transaction_->release();
}

void Transaction::commit(Step step)
{
    session_.bounded([this] { transaction_->commit(&session_.status()); });
    if (session_.failed())
        session_.raise(step, QStringLiteral("O banco de dados de pedidos não aceitou o fim da transação"));
    transaction_ = nullptr;
}

} // namespace qor::orderdb::fb
