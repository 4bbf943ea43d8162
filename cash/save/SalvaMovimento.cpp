#include "cash/save/SalvaMovimento.h"

#include "app/log/Diagnostico.h"
#include "data/base/Error.h"
#include "data/base/Text.h"
#include "data/orderdb/CommandTexts.h"

#include <QDir>

namespace qor::cash {

namespace {

// A log line that could not be written, carried past the handlers that
// undo a failed registration.
struct LogFailure {
    Error error;
};

// The order-number field holding nothing but its mask: blanks and the point.
bool onlyEmptyMask(const QString& text)
{
    for (const QChar c : text)
        if (c != u' ' && c != u'.')
            return false;
    return true;
}

// The order number as typed after the station and the point. It goes to the
// server as a bound integer, so text that is no number fails here.
int orderNumber(const QString& pedido)
{
    const QString digits = pedido.mid(3).trimmed();
    bool ok = false;
    const int n = digits.toInt(&ok);
    if (!ok)
        throw Error(kind::InvalidValue, QStringLiteral("Número de pedido inválido: '%1'").arg(pedido));
    return n;
}

// Closes the order row set however the registration ends.
struct ClosesOnExit {
    orderdb::CachedRowSet& rows;
    ~ClosesOnExit() { rows.close(); }
};

} // namespace

struct SalvaMovimento::Registration {
    bool appended = false; // a settlement row was appended and not yet discarded
    bool stored = false;   // ... and stored
    QVariant bookmark;     // where the stored row is
    RecordKey key;         // its key, for the export
};

SalvaMovimento::SalvaMovimento(app::AppState& state, SaveTables tables, orderdb::TDM& dm, app::ActivityLog& log,
                               app::MessageBoxes& boxes)
    : state_(state), t_(tables), dm_(dm), log_(log), boxes_(boxes)
{
}

void SalvaMovimento::log(const QString& line)
{
    try {
        log_.GravaLog(line);
    } catch (const Error& e) {
        throw LogFailure{e};
    }
}

SaveResult SalvaMovimento::BitBtn5Click(const PanelTexts& panel)
{
    try {
        return save(panel);
    } catch (const LogFailure& failure) {
        throw failure.error;
    }
}

SaveResult SalvaMovimento::save(const PanelTexts& panel)
{
    SaveResult result;
    data::Table& mov = t_.MovCaixa;
    if (onlyEmptyMask(panel.pedido)) {
        t_.SessaoCx.close();
        mov.remove();
        t_.Quitacao.close();
        mov.close();
        result.outcome = SaveOutcome::EmptyOrderNumber;
        return result;
    }
    log(QStringLiteral("- Acionou o botão \"OK - Salvar Movimento\" para o seguinte movimento de caixa:"));
    log(QStringLiteral("  Pedido ") + panel.pedido + QStringLiteral("  ") + panel.sinalQuitacao
        + QStringLiteral("    Valor: R$ ") + panel.valor + QStringLiteral(" (") + panel.formaPag
        + QStringLiteral(")"));
    if (mov.asString(QStringLiteral("TipoMov")) == u"Venda") {
        mov.edit();
        mov.setValue(QStringLiteral("Desconto"), state_.PrecoFinalRetido - state_.ValorDigitadoRetido);
    }
    t_.SessaoCx.close();
    try {
        mov.post();
        result.movementStored = true;
    } catch (const Error&) {
        // The row keeps what was stored when the panel opened and after the lookup.
        log(QStringLiteral("  O movimento de caixa, no entanto, não foi gravado no BD."));
    }

    Registration reg;
    try {
        const QString kind = mov.asString(QStringLiteral("SinalQuitacao"));
        if (kind == u"Sinal" || kind == QString::fromUtf8("Quitação"))
            result.outcome = Registra_Pagamento(panel, reg);
    } catch (const Error&) {
        boxes_.errorDialog(QStringLiteral("Registro duplicado. Esse movimento já foi registrado anteriormente."));
        t_.SessaoCx.close();
        removeNewSettlement(reg);
        t_.Quitacao.close();
        mov.remove();
        mov.close();
        result.outcome = SaveOutcome::RegistrationFailed;
        return result;
    }

    app::GravaDiagnostico(state_);
    // A sale's file carries the settlement row it has just stored; otherwise
    // the row the table opens on.
    exportSettlement(result, reg.stored ? reg.key : RecordKey{});
    t_.Quitacao.close();
    mov.close();
    return result;
}

void SalvaMovimento::removeNewSettlement(const Registration& reg)
{
    if (!reg.appended)
        return;
    if (!reg.stored) {
        t_.Quitacao.cancel();
        return;
    }
    t_.Quitacao.goToBookmark(reg.bookmark); // that row only, whatever moved since
    t_.Quitacao.remove();
}

SaveOutcome SalvaMovimento::Registra_Pagamento(const PanelTexts& panel, Registration& reg)
{
    data::Table& mov = t_.MovCaixa;
    data::Table& q = t_.Quitacao;
    const bool settlement = mov.asString(QStringLiteral("SinalQuitacao")) == QString::fromUtf8("Quitação");
    const QString npedido = mov.asString(QStringLiteral("NPedido"));

    q.append();
    reg.appended = true;
    q.setValue(QStringLiteral("Estacao"), npedido.left(2));
    q.setValue(QStringLiteral("NPedido"), npedido.mid(3));
    if (settlement) {
        q.setValue(QStringLiteral("SinalQuitacao"), QStringLiteral("Q"));
        log(QString::fromUtf8("- A rotina de salvar a quitação foi chamada"));
    } else {
        q.setValue(QStringLiteral("SinalQuitacao"), QStringLiteral("S"));
        log(QStringLiteral("- A rotina de salvar o sinal foi chamada"));
    }
    for (const char* f : {"Valor", "DataMov", "HoraMov", "FormaPag", "Laboratorio", "ValorOriginal", "Desconto"})
        q.setValue(QString::fromLatin1(f), mov.value(QString::fromLatin1(f)));

    try {
        q.post();
    } catch (const Error&) {
        boxes_.native(QStringLiteral("Atenção!!!"),
                      QStringLiteral("Este pedido já foi quitado anteriormente,\rO procedimento será cancelado!"),
                      app::BoxButtons::Ok);
        t_.SessaoCx.close();
        q.cancel();
        reg.appended = false;
        q.close();
        mov.remove();
        mov.close();
        return SaveOutcome::AlreadySettled;
    }
    reg.stored = true;
    reg.bookmark = q.bookmark();
    for (const char* f : {"Estacao", "NPedido", "SinalQuitacao"})
        reg.key << qMakePair(QString::fromLatin1(f), q.value(QString::fromLatin1(f)));

    log(QStringLiteral("  Foi registrado em QUITACAO o seguinte movimento de caixa:"));
    log(QStringLiteral("     ESTACAO: ") + q.asString(QStringLiteral("Estacao")));
    log(QStringLiteral("     NPEDIDO: ") + q.asString(QStringLiteral("NPedido")));
    log(QStringLiteral("     SIN/QUI: ") + q.asString(QStringLiteral("SinalQuitacao")));
    log(QStringLiteral("     VALOR..: ") + q.asString(QStringLiteral("Valor")));
    log(settlement ? QString::fromUtf8("  O registro da quitação foi realizado com sucesso na tabela QUITAÇÃO")
                   : QString::fromUtf8("  O registro do sinal foi realizado com sucesso na tabela QUITAÇÃO"));

    const ClosesOnExit closer{dm_.PEDIDOS};
    return registerOnOrder(panel, settlement);
}

SaveOutcome SalvaMovimento::registerOnOrder(const PanelTexts& panel, bool settlement)
{
    orderdb::CachedRowSet& pedidos = dm_.PEDIDOS;
    data::Table& mov = t_.MovCaixa;

    // The order fetched afresh, station and number as bound values.
    dm_.SQLDS_Pedidos.setCommandText(QStringLiteral("select ") + orderdb::PedidosColumnList
                                     + QStringLiteral(" from PEDIDOS where ESTACAO = ? and NPEDIDO = ?"));
    dm_.SQLDS_Pedidos.addBindValue(panel.pedido.left(2));
    dm_.SQLDS_Pedidos.addBindValue(orderNumber(panel.pedido));
    pedidos.open();
    if (pedidos.recordCount() == 0) {
        log(QStringLiteral("- O Pedido ") + panel.pedido
            + QString::fromUtf8(" não foi encontrado no BD para fazer o registro do pagamento."));
        boxes_.message(QString::fromUtf8("Não consegui encontrar o pedido no servidor para salvar o pagamento realizado."));
        return SaveOutcome::OrderNotFound;
    }

    pedidos.edit();
    if (panel.sinalQuitacao.compare(QStringLiteral("Sinal"), Qt::CaseInsensitive) == 0) {
        double sinal = 0.0;
        if (!text::parseAmount(panel.valor, &sinal))
            throw Error(kind::InvalidValue, QStringLiteral("Valor inválido: '%1'").arg(panel.valor));
        pedidos.setValue(QStringLiteral("SINAL"), sinal);
        const double restante = pedidos.asFloat(QStringLiteral("PRECOFINAL")) - pedidos.asFloat(QStringLiteral("SINAL"));
        pedidos.setValue(QStringLiteral("VALORRESTANTE"), restante);
        if (restante == 0.0)
            pedidos.setValue(QStringLiteral("DATAPAGAMENTO"), mov.asDate(QStringLiteral("DataMov")));
    } else {
        pedidos.setValue(QStringLiteral("DATAPAGAMENTO"), mov.asDate(QStringLiteral("DataMov")));
    }
    pedidos.setValue(QStringLiteral("FORMAPAGAMENTO"), mov.asString(QStringLiteral("FormaPag")));

    try {
        pedidos.post();
        pedidos.applyUpdates();
        pedidos.refresh();
        pedidos.close();
    } catch (const Error&) {
        log(settlement ? QString::fromUtf8("- Não foi possível registrar a quitação do pedido no BD.")
                       : QString::fromUtf8("- Não foi possível registrar o sinal do pedido no BD."));
        return SaveOutcome::OrderUpdateRefused; // closing drops the unsent change
    }
    log(settlement ? QString::fromUtf8("- A quitação foi registrada no cadastro do Pedido no BD.")
                   : QStringLiteral("- O Sinal foi registrado no cadastro do pedido no BD."));
    return SaveOutcome::Saved;
}

// A destination that can't take its file costs that copy only: the movement
// and the payment are stored by now, and the save still has to finish.
void SalvaMovimento::exportSettlement(SaveResult& result, const RecordKey& key)
{
    try {
        result.exported = Exporta_XML(state_, t_.TabelaDB, QStringLiteral("Quitacao"), QStringLiteral("Quitacao"), key);
    } catch (const Error& e) {
        log(QString::fromUtf8("- Não foi possível exportar a quitação: ") + e.text());
        boxes_.unexpected(e);
        return;
    }
    QStringList folders;
    for (const ExportFailure& f : result.exported.failures) {
        log(QString::fromUtf8("- Não foi possível gravar o arquivo de exportação: ") + f.error);
        folders << QDir::toNativeSeparators(f.folder);
    }
    if (!folders.isEmpty())
        boxes_.message(QString::fromUtf8("Não foi possível gravar o arquivo de exportação da quitação na pasta:\r")
                       + folders.join(QLatin1Char('\r')));
}

} // namespace qor::cash
