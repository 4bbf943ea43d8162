#pragma once

#include "app/window/Painel.h"
#include "cash/movement/ConsultaPedido.h"
#include "cash/movement/Movimento.h"
#include "cash/save/SalvaMovimento.h"

#include <QString>

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qor::orderdb {
class CachedRowSet;
class SqlCommand;
} // namespace qor::orderdb

namespace qor::widgets {
class DBComboBox;
class DBEdit;
} // namespace qor::widgets

namespace qor::app {
class TForm1;
}

namespace qor::cash {

// The movement entry panel PainelMovCaixa: a sale's payment of an order, a
// withdrawal or a replenishment. The three actions create the movement row,
// already stored with its defaults, lay the panel out for the type and show
// it; the order lookup and the amount check run as the focus leaves their
// fields; "OK - Salvar Movimento" hands the fields to the save and
// "Cancelar Movimento" deletes the row. Leaving the panel purges rows
// without an order reference.
class PainelMovCaixa final : public app::Painel {
    Q_OBJECT
public:
    static inline const QString kMsgCaixaFechado = QStringLiteral("Caixa Fechado.");
    static inline const QString kMsgPedidoNaoEncontrado = QStringLiteral("Pedido não encontrado");
    static inline const QString kMsgValorIncorreto = QStringLiteral("Valor Incorreto, favor corrigir.");
    static inline const QString kMsgValorDiferente =
        QStringLiteral("O Valor digitado é diferente do valor real do pedido. Favor preencher o histórico.");
    static inline const QString kMsgPreencherHistorico = QStringLiteral("Favor preencher o histórico.");
    static inline const QString kLogSeparador = QString(77, QLatin1Char('-'));
    static inline const QString kLogEntrouVenda = QStringLiteral("- Entrou na tela de Quitacao (Venda).");

    // The order lookup goes through the data module's order dataset.
    PainelMovCaixa(app::TForm1& form, orderdb::SqlCommand& SQLDS_Pedidos, orderdb::CachedRowSet& PEDIDOS);
    ~PainelMovCaixa() override;

    // Filled by the composition root: the activity-log line writer, and the
    // save, which closes the tables in every outcome it handles; the panel
    // hides itself when it returns. An error it lets through leaves the
    // panel open.
    std::function<void(const QString&)> GravaLog;
    std::function<void(const PanelTexts&)> salvaMovimento;
    // The refusal of a key in the order-number field.
    std::function<void()> beep;
    // Ends the program at once, without the shut-down steps.
    std::function<void(int)> encerraPrograma;

    void act_VendaExecute();
    void act_SangriaExecute();
    void act_RessuprimentoExecute();
    void OtimizarMovcaixa1Click();

    // 1 = sale, 2 = withdrawal, 3 = replenishment; any other value does nothing.
    void Ajusta_Campos(int tipo);
    void Bloqueia_Campos();
    void Libera_Campos();

    void BitBtn5Click();
    void BitBtn4Click();
    void PainelMovCaixaExit();

    void DBEdit19Exit();
    void DBEdit18Exit();
    void DBEdit20Exit();
    void DBComboBox2Exit();
    void DBComboBox4Enter();
    void DBComboBox4Exit();

    // What the save receives: the order-number field ("01.001234", "  .      "
    // while only the mask shows; a withdrawal's or replenishment's number),
    // the "Sinal / Quitação" box, the amount field and the payment-form box.
    PanelTexts campos() const;

    QWidget* primeiroCampo() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void criaControles();
    void ligaEventos();
    void abreMovimento(TipoMovimento tipo);
    bool criaLinha(TipoMovimento tipo); // false: the program was ended
    bool falhaNoIndice(bool detalhada);
    void mostraPrecos(const PrecosDoPedido& p);
    QString textoDoPedido() const;
    void focaProximo(QWidget* from);
    QList<QWidget*> camposBloqueaveis() const;
    void onFocusChanged(QWidget* old, QWidget* now);
    bool teclaDoPedido(QKeyEvent* key);
    bool teclaDaFormaPagto(QKeyEvent* key);
    void emTratador(const std::function<void()>& handler);

    app::TForm1& form_;
    orderdb::SqlCommand& SQLDS_Pedidos_;
    orderdb::CachedRowSet& PEDIDOS_;
    TipoMovimento tipo_ = TipoMovimento::Venda;

    QLabel* titulo_ = nullptr;
    QFrame* bvl4_ = nullptr;
    widgets::DBComboBox* DBComboBox2_ = nullptr;
    widgets::DBEdit* DBEdit19_ = nullptr;
    widgets::DBComboBox* DBLab_ = nullptr;
    widgets::DBEdit* DBEdit18_ = nullptr;
    widgets::DBComboBox* DBComboBox4_ = nullptr;
    widgets::DBEdit* DBEdit20_ = nullptr;
    QPushButton* BitBtn5_ = nullptr;
    QPushButton* BitBtn4_ = nullptr;
    widgets::DBEdit* DBEdit10_ = nullptr;
    widgets::DBEdit* DBEdit15_ = nullptr;
    widgets::DBEdit* DBEdit16_ = nullptr;
    widgets::DBEdit* DBEdit17_ = nullptr;
    QFrame* PainelNumDocum_ = nullptr;
    widgets::DBEdit* DBEdit21_ = nullptr;
    widgets::DBEdit* DBEdit46_ = nullptr;
    QFrame* PainelPrecos_ = nullptr;
    QLineEdit* precos_[6] = {}; // Edit1, Edit2, Edit3, Edit5, Edit4, Edit6: left to right
    QLabel* lblSinalQuitacao_ = nullptr;
    QLabel* lblPedido_ = nullptr;
    QLabel* lblLoja_ = nullptr;
    QLabel* lblValor_ = nullptr;
    QLabel* lblFormaPagto_ = nullptr;
    QLabel* lblHistorico_ = nullptr;
};

} // namespace qor::cash
