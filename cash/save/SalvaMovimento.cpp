#include "cash/save/SalvaMovimento.h"

#include "app/log/Diagnostico.h"
#include "cash/movement/MovimentoEmEntrada.h"
#include "cash/save/EscritaNoPedido.h"
#include "data/base/CrashPoint.h"
#include "data/base/Error.h"
#include "data/base/Text.h"
#include "data/local/Transaction.h"

#include <QDir>

namespace qor::cash {

namespace {

// The order-number field holding nothing but its mask: blanks and the point.
bool onlyEmptyMask(const QString& text)
{
    for (const QChar c : text)
        if (c != u' ' && c != u'.')
            return false;
    return true;
}

// Closes the order row set however the save ends.
struct ClosesOnExit {
    orderdb::CachedRowSet& rows;
    ~ClosesOnExit() { rows.close(); }
};

// The row as the operator left it, put back when a failed unit of work
// undid its store: a second "OK" then stores what was typed.
struct TypedRow {
    data::Table& table;
    QVariantList values;
    explicit TypedRow(data::Table& t) : table(t)
    {
        for (const data::FieldDef& f : t.fields())
            values << t.value(f.name);
    }
    void restore()
    {
        table.cancel();
        table.edit();
        for (int i = 0; i < values.size(); ++i)
            table.setValue(table.fields().at(i).name, values.at(i));
    }
};

} // namespace

SalvaMovimento::SalvaMovimento(app::AppState& state, SaveTables tables, orderdb::TDM& dm, app::ActivityLog& log,
                               app::MessageBoxes& boxes)
    : state_(state), t_(tables), dm_(dm), log_(log), boxes_(boxes)
{
}

void SalvaMovimento::log(const QString& line) { log_.GravaLog(line); }

SaveResult SalvaMovimento::BitBtn5Click(const PanelTexts& panel)
{
    reachedDisk_ = false;
    settlementKey_.clear();
    try {
        return save(panel);
    } catch (const std::exception& e) {
        if (!reachedDisk_)
            throw;
        closeTables();
        boxes_.unexpected(e);
        SaveResult result;
        result.outcome = SaveOutcome::Interrupted;
        return result;
    }
}

void SalvaMovimento::closeTables()
{
    t_.SessaoCx.close();
    t_.Quitacao.close();
    t_.MovCaixa.close();
    dm_.PEDIDOS.close();
}

SaveResult SalvaMovimento::save(const PanelTexts& panel)
{
    SaveResult result;
    data::Table& mov = t_.MovCaixa;
    if (onlyEmptyMask(panel.pedido)) {
        discardMovement(SaveOutcome::EmptyOrderNumber, result);
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

    const QString kind = mov.asString(QStringLiteral("SinalQuitacao"));
    const bool payment = kind == u"Sinal" || kind == QStringLiteral("Quitação");
    const ClosesOnExit closer{dm_.PEDIDOS};
    PagamentoPendente p;
    if (payment && !fetchOrder(panel, p, result))
        return result;
    storeLocally(payment ? &p : nullptr, result);
    if (result.outcome == SaveOutcome::Duplicate)
        return result;
    if (payment && result.outcome == SaveOutcome::Saved)
        registerOnOrder(panel, p, result);

    app::GravaDiagnostico(state_);
    // A sale's file carries the settlement row it has just stored; otherwise
    // the row the table opens on.
    exportSettlement(result, settlementKey_);
    closeTables();
    return result;
}

// Before anything is stored: earlier due write-backs are tried, then the
// order is fetched and what it holds kept for the due record. An order that
// can't be fetched records nothing.
bool SalvaMovimento::fetchOrder(const PanelTexts& panel, PagamentoPendente& p, SaveResult& result)
{
    data::Table& mov = t_.MovCaixa;
    const QString npedido = mov.asString(QStringLiteral("NPedido"));
    p.estacao = npedido.left(2);
    p.npedido = npedido.mid(3);
    p.sinal = mov.asString(QStringLiteral("SinalQuitacao")) == u"Sinal";
    p.valor = mov.asFloat(QStringLiteral("Valor"));
    p.dataMov = mov.asDate(QStringLiteral("DataMov"));
    p.horaMov = mov.asTime(QStringLiteral("HoraMov"));
    p.formaPag = mov.asString(QStringLiteral("FormaPag"));
    if (p.sinal && !text::parseAmount(panel.valor, &p.valor)) {
        boxes_.errorDialog(kMsgValorInvalido);
        discardMovement(SaveOutcome::NotRecorded, result);
        return false;
    }

    regravaPendentes(dm_, [this](const QString& line) { log(line); });
    crashPoint("save: before the order is fetched");
    try {
        buscaPedido(dm_, p.estacao, p.npedido);
    } catch (const Error& e) {
        log(QStringLiteral("- Não foi possível buscar o pedido ") + panel.pedido
            + QStringLiteral(" no BD; o pagamento não foi registrado: ") + e.text());
        boxes_.errorDialog(e.is(kind::InvalidValue) ? kMsgPedidoInvalido : kMsgNaoRegistrado);
        discardMovement(SaveOutcome::NotRecorded, result);
        return false;
    }
    crashPoint("save: order fetched");
    p.antes = estadoDoPedido(dm_.PEDIDOS);
    if (!p.antes.existe)
        p.ultimaFalha = kFalhaPedidoNaoEncontrado;
    return true;
}

// One unit of work: the movement, a sale's settlement row and due record,
// the end of the entry mark. A key violation of the movement is a genuine
// repeat, of the settlement row an order already settled; any other failure
// undoes the unit and is raised.
void SalvaMovimento::storeLocally(PagamentoPendente* p, SaveResult& result)
{
    data::Table& mov = t_.MovCaixa;
    TypedRow typed(mov);
    bool repeated = false;
    bool settledBefore = false;
    try {
        data::Transaction unit(mov.location());
        try {
            mov.post();
        } catch (const Error& e) {
            log(QStringLiteral("  O movimento de caixa, no entanto, não foi gravado no BD."));
            if (!e.is(kind::KeyViolation))
                throw;
            repeated = true;
        }
        if (!repeated) {
            crashPoint("save: movement stored");
            if (p) {
                settledBefore = !appendSettlement(*p);
                if (!settledBefore) {
                    crashPoint("save: settlement row stored");
                    p->linha = pendentes::registra(*p);
                    crashPoint("save: due write-back recorded");
                }
            }
        }
        if (!repeated && !settledBefore) {
            desmarcaEmEntrada(mov);
            crashPoint("save: entry mark cleared");
            unit.commit();
        }
    } catch (...) {
        typed.restore();
        throw;
    }
    if (repeated) {
        boxes_.errorDialog(kMsgDuplicado);
        discardMovement(SaveOutcome::Duplicate, result);
        return;
    }
    if (settledBefore) {
        boxes_.native(QStringLiteral("Atenção!!!"), kMsgJaQuitado, app::BoxButtons::Ok);
        discardMovement(SaveOutcome::AlreadySettled, result);
        return;
    }
    reachedDisk_ = true;
    crashPoint("save: local unit committed");
}

// False when the settlement table's key refused the row.
bool SalvaMovimento::appendSettlement(const PagamentoPendente& p)
{
    data::Table& q = t_.Quitacao;
    data::Table& mov = t_.MovCaixa;
    q.append();
    q.setValue(QStringLiteral("Estacao"), p.estacao);
    q.setValue(QStringLiteral("NPedido"), p.npedido);
    if (p.sinal) {
        q.setValue(QStringLiteral("SinalQuitacao"), QStringLiteral("S"));
        log(QStringLiteral("- A rotina de salvar o sinal foi chamada"));
    } else {
        q.setValue(QStringLiteral("SinalQuitacao"), QStringLiteral("Q"));
        log(QStringLiteral("- A rotina de salvar a quitação foi chamada"));
    }
    for (const char* f : {"Valor", "DataMov", "HoraMov", "FormaPag", "Laboratorio", "ValorOriginal", "Desconto"})
        q.setValue(QString::fromLatin1(f), mov.value(QString::fromLatin1(f)));
    try {
        q.post();
    } catch (const Error& e) {
        q.cancel();
        if (!e.is(kind::KeyViolation))
            throw;
        return false;
    }
    for (const char* f : {"Estacao", "NPedido", "SinalQuitacao"})
        settlementKey_ << qMakePair(QString::fromLatin1(f), q.value(QString::fromLatin1(f)));
    return true;
}

// The movement under entry goes with its mark; nothing was recorded.
void SalvaMovimento::discardMovement(SaveOutcome outcome, SaveResult& result)
{
    data::Table& mov = t_.MovCaixa;
    t_.SessaoCx.close();
    if (mov.state() == data::DataSetState::Edit)
        mov.cancel();
    {
        data::Transaction unit(mov.location());
        desmarcaEmEntrada(mov);
        mov.remove();
        crashPoint("save: unfinished movement deleted");
        unit.commit();
    }
    reachedDisk_ = true;
    t_.Quitacao.close();
    mov.close();
    result.outcome = outcome;
}

void SalvaMovimento::registerOnOrder(const PanelTexts& panel, PagamentoPendente& p, SaveResult& result)
{
    const data::Table& q = t_.Quitacao;
    log(QStringLiteral("  Foi registrado em QUITACAO o seguinte movimento de caixa:"));
    log(QStringLiteral("     ESTACAO: ") + q.asString(QStringLiteral("Estacao")));
    log(QStringLiteral("     NPEDIDO: ") + q.asString(QStringLiteral("NPedido")));
    log(QStringLiteral("     SIN/QUI: ") + q.asString(QStringLiteral("SinalQuitacao")));
    log(QStringLiteral("     VALOR..: ") + q.asString(QStringLiteral("Valor")));
    log(p.sinal ? QStringLiteral("  O registro do sinal foi realizado com sucesso na tabela QUITAÇÃO")
                : QStringLiteral("  O registro da quitação foi realizado com sucesso na tabela QUITAÇÃO"));

    if (!p.antes.existe) {
        log(QStringLiteral("- O Pedido ") + panel.pedido
            + QStringLiteral(" não foi encontrado no BD para fazer o registro do pagamento."));
        boxes_.message(kMsgNaoEncontrado);
        result.outcome = SaveOutcome::OrderNotFound;
        return;
    }
    try {
        gravaNoPedido(dm_.PEDIDOS, p);
    } catch (const Error& e) {
        log(linhaDeFalhaNoPedido(p));
        pendentes::anotaFalha(p.linha, e.text());
        boxes_.message(kMsgSoNoCaixa);
        result.outcome = SaveOutcome::OrderUpdateRefused;
        return;
    }
    crashPoint("save: order updated");
    pendentes::conclui(p.linha);
    crashPoint("save: due write-back closed");
    log(linhaDeRegistroNoPedido(p));
    try {
        dm_.PEDIDOS.refresh();
    } catch (const Error& e) {
        log(QStringLiteral("- O pedido foi gravado no BD, mas não foi possível relê-lo: ") + e.text());
    }
}

// A destination that can't take its file costs that copy only: the movement
// and the payment are stored by now, and the save still has to finish.
void SalvaMovimento::exportSettlement(SaveResult& result, const RecordKey& key)
{
    try {
        result.exported = Exporta_XML(state_, t_.TabelaDB, QStringLiteral("Quitacao"), QStringLiteral("Quitacao"), key);
    } catch (const Error& e) {
        log(QStringLiteral("- Não foi possível exportar a quitação: ") + e.text());
        boxes_.unexpected(e);
        return;
    }
    QStringList folders;
    for (const ExportFailure& f : result.exported.failures) {
        log(QStringLiteral("- Não foi possível gravar o arquivo de exportação: ") + f.error);
        folders << QDir::toNativeSeparators(f.folder);
    }
    if (!folders.isEmpty())
        boxes_.message(QStringLiteral("Não foi possível gravar o arquivo de exportação da quitação na pasta:\r")
                       + folders.join(QLatin1Char('\r')));
}

} // namespace qor::cash
