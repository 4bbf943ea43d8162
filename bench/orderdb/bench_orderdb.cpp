// One order selected by its key (60 columns) and one changed column applied,
// through the cached row set and through the client API by hand. Runs
// in-process; with QOR_FB_SERVER set (e.g. 127.0.0.1), through that server.
//   build/bench/orderdb/bench_orderdb --benchmark_repetitions=5

#include "data/orderdb/CachedRowSet.h"
#include "data/orderdb/ClientLibrary.h"
#include "data/orderdb/CommandTexts.h"
#include "data/orderdb/Provider.h"
#include "data/orderdb/SQLConnection.h"
#include "data/orderdb/SqlCommand.h"
#include "tests/data/orderdb/TempOrderDb.h"

#include <benchmark/benchmark.h>
#include <firebird/Interface.h>

#include <QTemporaryDir>

#include <cstring>
#include <stdexcept>
#include <vector>

using namespace qor::orderdb;

namespace {

const QString SelectOrder = "select " + PedidosColumnList + " from PEDIDOS where ESTACAO = ? and NPEDIDO = ?";

const qor::test::TempOrderDb& database()
{
    static QTemporaryDir dir;
    static const qor::test::TempOrderDb db(dir.filePath("quelvora.bd"));
    return db;
}

void rowSet(benchmark::State& state)
{
    SQLConnection connection;
    database().connect(connection);
    SqlCommand command(connection);
    Provider provider(command, {"ESTACAO", "NPEDIDO"});
    CachedRowSet pedidos(provider);
    int n = 0;
    for (auto _ : state) {
        command.setCommandText(SelectOrder);
        command.addBindValue(QStringLiteral("01"));
        command.addBindValue(1002);
        pedidos.open();
        pedidos.edit();
        pedidos.setValue("SINAL", ++n % 2 ? 40.0 : 30.0);
        pedidos.post();
        pedidos.applyUpdates();
        pedidos.close();
    }
}

// The same work by hand: the statements prepared each time as the row set
// does, values read straight from the message buffer.
struct Raw {
    Firebird::IMaster* master = ClientLibrary::master(ClientLibrary::defaultPath());
    Firebird::IStatus* rawStatus = master->getStatus();
    Firebird::CheckStatusWrapper status{rawStatus};
    Firebird::IAttachment* attachment = nullptr;

    void check()
    {
        if (status.getState() & Firebird::IStatus::STATE_ERRORS) {
            char text[1024];
            master->getUtilInterface()->formatStatus(text, sizeof text, &status);
            throw std::runtime_error(text);
        }
    }

    Raw()
    {
        Firebird::IXpbBuilder* dpb
            = master->getUtilInterface()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&status, isc_dpb_user_name, "sysdba");
        dpb->insertString(&status, isc_dpb_password, "quorbelin");
        dpb->insertString(&status, isc_dpb_lc_ctype, "WIN1252");
        dpb->insertInt(&status, isc_dpb_sql_dialect, 3);
        Firebird::IProvider* provider = master->getDispatcher();
        const QByteArray path = database().database().toLocal8Bit();
        attachment = provider->attachDatabase(&status, path.constData(), dpb->getBufferLength(&status),
                                              dpb->getBuffer(&status));
        check();
        provider->release();
        dpb->dispose();
    }
    ~Raw()
    {
        attachment->detach(&status);
        rawStatus->dispose();
    }

    Firebird::ITransaction* start()
    {
        static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                            isc_tpb_rec_version, isc_tpb_wait};
        Firebird::ITransaction* t = attachment->startTransaction(&status, sizeof tpb, tpb);
        check();
        return t;
    }

    // Fills a statement's input message: CHAR/VARCHAR markers get text, the rest 32-bit integers.
    struct Input {
        Firebird::IMessageMetadata* meta;
        std::vector<unsigned char> buffer;
    };
    Input input(Firebird::IStatement* statement, const std::vector<const char*>& texts, std::vector<int> numbers)
    {
        Input in{statement->getInputMetadata(&status), {}};
        in.buffer.assign(in.meta->getMessageLength(&status), 0);
        size_t t = 0, n = 0;
        for (unsigned i = 0; i < in.meta->getCount(&status); ++i) {
            unsigned char* p = in.buffer.data() + in.meta->getOffset(&status, i);
            std::memset(in.buffer.data() + in.meta->getNullOffset(&status, i), 0, sizeof(short));
            const unsigned type = in.meta->getType(&status, i);
            if (type == SQL_TEXT) {
                std::memset(p, ' ', in.meta->getLength(&status, i));
                std::memcpy(p, texts[t], std::strlen(texts[t]));
                ++t;
            } else if (type == SQL_INT64) { // decimal(15,2): units of a cent
                const ISC_INT64 cents = numbers[n++];
                std::memcpy(p, &cents, sizeof cents);
            } else {
                const int v = numbers[n++];
                std::memcpy(p, &v, sizeof v);
            }
        }
        check();
        return in;
    }
};

void rawApi(benchmark::State& state)
{
    Raw raw;
    const QByteArray select = SelectOrder.toLatin1();
    const char* update = "update PEDIDOS set SINAL = ? where ESTACAO = ? and NPEDIDO = ?";
    int n = 0;
    for (auto _ : state) {
        Firebird::ITransaction* t = raw.start();
        Firebird::IStatement* s
            = raw.attachment->prepare(&raw.status, t, 0, select.constData(), 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        raw.check();
        Raw::Input in = raw.input(s, {"01"}, {1002});
        Firebird::IMessageMetadata* out = s->getOutputMetadata(&raw.status);
        std::vector<unsigned char> row(out->getMessageLength(&raw.status));
        Firebird::IResultSet* cursor = s->openCursor(&raw.status, t, in.meta, in.buffer.data(), out, 0);
        raw.check();
        while (cursor->fetchNext(&raw.status, row.data()) == Firebird::IStatus::RESULT_OK)
            benchmark::DoNotOptimize(row.data());
        cursor->close(&raw.status);
        out->release();
        in.meta->release();
        s->free(&raw.status);
        t->commit(&raw.status);
        raw.check();

        t = raw.start();
        s = raw.attachment->prepare(&raw.status, t, 0, update, 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        raw.check();
        in = raw.input(s, {"01"}, {++n % 2 ? 4000 : 3000, 1002});
        s->execute(&raw.status, t, in.meta, in.buffer.data(), nullptr, nullptr);
        raw.check();
        in.meta->release();
        s->free(&raw.status);
        t->commit(&raw.status);
        raw.check();
    }
}

} // namespace

BENCHMARK(rowSet)->Unit(benchmark::kMicrosecond);
BENCHMARK(rawApi)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
