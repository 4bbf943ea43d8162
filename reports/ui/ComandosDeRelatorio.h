#pragma once

#include <QObject>

#include <functional>

namespace qor::app {
class TForm1;
}

namespace qor::orderdb {
class TDM;
}

namespace qor::reports {

class PainelPeriodo;
class ReportRunner;

// The commands of the report panel pnlRelatorio (inside the session
// browser): four reports about the session selected in the browser, six
// period reports, which go through the period panel, and the cash control:
// the partial of the selected session (its totals first brought up to date
// when it is the open one), the reconciliation over a period and the
// deposits left open. Binds itself to the
// panel's buttons and enables them.
class ComandosDeRelatorio final : public QObject {
    Q_OBJECT
public:
    ComandosDeRelatorio(app::TForm1& form, orderdb::TDM& DM, ReportRunner& RM, PainelPeriodo& periodo);

    void btn5Click(); // "Resumo"
    void btn14Click(); // "Resumo por Forma de Pagamento"
    void btn7Click(); // "Detalhado - Com Valor Original"
    void btn6Click(); // "Detalhado - Sem Valor Original"

    void btn8Click(); // "Resumo das Vendas"
    void btn12Click(); // sales "Detalhado"
    void btn9Click(); // "Resumo - Vendas / Loja"
    void btn13Click(); // "Detalhado por Loja"
    void btn15Click(); // "Resumo das Saídas"
    void btn16Click(); // outflows "Detalhado"

    void btnParcialClick(); // "Parcial do Caixa"
    void btnConciliacaoClick(); // "Conciliação com os Pedidos"
    void btnSinaisEmAbertoClick(); // "Sinais em Aberto"

private:
    // Fills a control report's dataset from the order server; false, after
    // telling the operator, when the server is out of reach.
    bool comServidor(const std::function<void()>& monta);
    void liga(const QString& botao, void (ComandosDeRelatorio::*handler)());

    app::TForm1& form_;
    orderdb::TDM& dm_;
    ReportRunner& rm_;
    PainelPeriodo& periodo_;
};

} // namespace qor::reports
