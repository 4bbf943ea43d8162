#include "cash/movement/ui/PainelMovCaixa.h"

#include "app/state/AppState.h"
#include "app/state/MessageBoxes.h"
#include "app/widgets/DBComboBox.h"
#include "app/widgets/DBEdit.h"
#include "app/widgets/DataSource.h"
#include "app/widgets/FieldFormat.h"
#include "app/window/TForm1.h"
#include "cash/movement/CriaMovimento.h"
#include "cash/movement/HigieneMovCaixa.h"
#include "cash/movement/MovimentoEmEntrada.h"
#include "cash/movement/ui/FocoDoCampo.h"
#include "data/base/Clock.h"
#include "data/base/Error.h"
#include "data/base/Text.h"
#include "data/local/CashTables.h"
#include "data/local/Transaction.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdlib>

namespace qor::cash {

namespace {

bool enter(const QKeyEvent* k) { return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter; }

// A key that types a character (KeyPress of the classic toolkit), Enter and
// backspace aside: control keys and navigation keys type none.
bool digitaCaractere(const QKeyEvent* k)
{
    const QString t = k->text();
    return t.size() == 1 && t.at(0) >= QLatin1Char(' ') && t.at(0) != QChar(0x7f);
}

} // namespace

PainelMovCaixa::PainelMovCaixa(app::TForm1& form, orderdb::SqlCommand& SQLDS_Pedidos, orderdb::CachedRowSet& PEDIDOS)
    : app::Painel(QStringLiteral("PainelMovCaixa"), QStringLiteral("Movimento de Caixa")), form_(form),
      SQLDS_Pedidos_(SQLDS_Pedidos), PEDIDOS_(PEDIDOS)
{
    beep = [] { QApplication::beep(); };
    encerraPrograma = [](int code) { std::quick_exit(code); };
    criaControles();
    ligaEventos();
}

PainelMovCaixa::~PainelMovCaixa() = default;

void PainelMovCaixa::ligaEventos()
{
    // Field handlers run only while the panel is up: hiding it moves the
    // focus as well, and that is no entry of data.
    auto aoSair = [this](QWidget* campo, void (PainelMovCaixa::*handler)()) {
        new FocoDoCampo(campo, {}, [this, handler] {
            if (isVisible())
                emTratador([this, handler] { (this->*handler)(); });
        });
    };
    aoSair(DBComboBox2_, &PainelMovCaixa::DBComboBox2Exit);
    aoSair(DBEdit19_, &PainelMovCaixa::DBEdit19Exit);
    aoSair(DBEdit18_, &PainelMovCaixa::DBEdit18Exit);
    aoSair(DBEdit20_, &PainelMovCaixa::DBEdit20Exit);
    new FocoDoCampo(
        DBComboBox4_,
        [this] {
            if (isVisible())
                emTratador([this] { DBComboBox4Enter(); });
        },
        [this] {
            if (isVisible())
                emTratador([this] { DBComboBox4Exit(); });
        });

    for (QObject* o : std::initializer_list<QObject*>{DBEdit19_, DBComboBox4_, DBComboBox4_->view(), DBEdit21_, DBEdit46_})
        o->installEventFilter(this);
    connect(BitBtn5_, &QPushButton::clicked, this, [this] { emTratador([this] { BitBtn5Click(); }); });
    connect(BitBtn4_, &QPushButton::clicked, this, [this] { emTratador([this] { BitBtn4Click(); }); });
    connect(qApp, &QApplication::focusChanged, this, &PainelMovCaixa::onFocusChanged);
}

void PainelMovCaixa::emTratador(const std::function<void()>& handler) { form_.runHandler(handler); }

QWidget* PainelMovCaixa::primeiroCampo() const
{
    return tipo_ == TipoMovimento::Venda ? static_cast<QWidget*>(DBComboBox2_) : DBEdit18_;
}

// --- Opening a movement ------------------------------------------------------

void PainelMovCaixa::act_VendaExecute()
{
    if (form_.FaltaIdentificacao() || form_.PaineisAbertos())
        return;
    if (!form_.ctx().state.CaixaAberto) {
        form_.ctx().boxes.message(kMsgCaixaFechado);
        return;
    }
    titulo_->setText(nomeDoTipo(TipoMovimento::Venda));
    if (falhaNoIndice(false))
        return;
    abreMovimento(TipoMovimento::Venda);
}

void PainelMovCaixa::act_SangriaExecute()
{
    if (form_.FaltaIdentificacao() || form_.PaineisAbertos())
        return;
    if (falhaNoIndice(true))
        return;
    data::Table& contadores = form_.ctx().tables.CTCaixa;
    contadores.open();
    titulo_->setText(nomeDoTipo(TipoMovimento::Sangria));
    if (!form_.ctx().state.CaixaAberto) {
        contadores.close();
        form_.ctx().boxes.message(kMsgCaixaFechado);
        return;
    }
    abreMovimento(TipoMovimento::Sangria);
}

void PainelMovCaixa::act_RessuprimentoExecute()
{
    if (form_.FaltaIdentificacao() || form_.PaineisAbertos())
        return;
    if (falhaNoIndice(false))
        return;
    titulo_->setText(nomeDoTipo(TipoMovimento::Ressuprimento));
    if (!form_.ctx().state.CaixaAberto) {
        form_.ctx().boxes.message(kMsgCaixaFechado);
        return;
    }
    form_.ctx().tables.CTCaixa.open();
    abreMovimento(TipoMovimento::Ressuprimento);
}

bool PainelMovCaixa::falhaNoIndice(bool detalhada)
{
    const std::optional<FalhaDeTabela> falha = testaIndicePedSiQui(form_.ctx().tables.MovCaixa);
    if (!falha)
        return false;
    form_.ctx().boxes.message(detalhada ? mensagemDoIndiceDetalhada(*falha) : mensagemDoIndice());
    return true;
}

void PainelMovCaixa::abreMovimento(TipoMovimento tipo)
{
    tipo_ = tipo;
    if (!criaLinha(tipo))
        return;
    Ajusta_Campos(int(tipo));
    if (tipo == TipoMovimento::Venda)
        mostraEm(QRect(1, 1, 583, 351));
    else
        mostraNaAreaCliente();
    if (tipo == TipoMovimento::Venda && GravaLog) {
        GravaLog(kLogSeparador);
        GravaLog(kLogEntrouVenda);
    }
    focaPrimeiroCampo();
}

bool PainelMovCaixa::criaLinha(TipoMovimento tipo)
{
    app::AppContext& ctx = form_.ctx();
    try {
        criaMovimento(ctx.tables, tipo, ctx.clock.now(), ctx.state.LojaPadrao());
    } catch (const std::exception& e) {
        if (tipo != TipoMovimento::Venda)
            throw;
        ctx.boxes.message(mensagemFatalDaMovCaixa(FalhaDeTabela::de(e)));
        encerraPrograma(0);
        return false;
    }
    return true;
}

// --- Keys ------------------------------------------------------------------

bool PainelMovCaixa::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* k = static_cast<QKeyEvent*>(event);
    if (watched == DBEdit19_)
        return teclaDoPedido(k);
    if (watched == DBComboBox4_)
        return teclaDaFormaPagto(k);
    if (watched == DBComboBox4_->view())
        return digitaCaractere(k); // the open list chooses with the arrows and Enter only
    if (watched == DBEdit21_ && enter(k)) {
        DBEdit46_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (watched == DBEdit46_ && enter(k)) {
        // The only way out of the instalment details.
        emTratador([this] {
            Libera_Campos();
            BitBtn5_->setFocus(Qt::OtherFocusReason);
            PainelNumDocum_->hide();
        });
        return true;
    }
    return false;
}

bool PainelMovCaixa::teclaDoPedido(QKeyEvent* k)
{
    if (enter(k)) {
        emTratador([this] {
            const QString texto = DBEdit19_->fieldText();
            const QString maiusculo = text::upperAZ(texto);
            if (maiusculo != texto && form_.DSMovCaixa().beginEdit())
                form_.ctx().tables.MovCaixa.setValue(QStringLiteral("NPedido"), maiusculo);
            focaProximo(DBEdit19_);
        });
        return true;
    }
    if (k->key() == Qt::Key_Backspace || !digitaCaractere(k))
        return false;
    const QChar c = k->text().at(0);
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
        QKeyEvent maiuscula(QEvent::KeyPress, k->key(), k->modifiers(), QString(c.toUpper()), k->isAutoRepeat());
        QCoreApplication::sendEvent(DBEdit19_, &maiuscula);
        return true;
    }
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
        return false;
    if (beep)
        beep();
    return true;
}

bool PainelMovCaixa::teclaDaFormaPagto(QKeyEvent* k)
{
    if (enter(k)) {
        focaProximo(DBComboBox4_);
        return true;
    }
    // The payment form is chosen from the list only.
    return digitaCaractere(k);
}

void PainelMovCaixa::focaProximo(QWidget* from)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(from, &tab);
}

// --- Payment form and instalments --------------------------------------------

void PainelMovCaixa::DBComboBox4Enter()
{
    if (!DBComboBox4_->currentText().isEmpty())
        return;
    const int dinheiro = DBComboBox4_->findText(QStringLiteral("Dinheiro"));
    if (dinheiro < 0)
        return;
    DBComboBox4_->setCurrentIndex(dinheiro);
    if (form_.DSMovCaixa().beginEdit())
        form_.ctx().tables.MovCaixa.setValue(QStringLiteral("FormaPag"), QStringLiteral("Dinheiro"));
}

void PainelMovCaixa::DBComboBox4Exit()
{
    PainelPrecos_->hide();
    if (form_.ctx().tables.MovCaixa.asString(QStringLiteral("TipoMov")) != QLatin1String("Venda") ||
        DBComboBox4_->currentText() == QLatin1String("Dinheiro"))
        return;
    PainelNumDocum_->setGeometry(13, 299, 561, 48);
    PainelNumDocum_->show();
    PainelNumDocum_->raise();
    DBEdit21_->setFocus(Qt::OtherFocusReason);
    Bloqueia_Campos();
}

// --- Order lookup and value checks -------------------------------------------

QString PainelMovCaixa::textoDoPedido() const
{
    if (tipo_ != TipoMovimento::Venda) {
        const data::Table& mov = form_.ctx().tables.MovCaixa;
        return mov.active() ? mov.asString(QStringLiteral("NPedido")) : QString();
    }
    // The mask's blanks read as spaces: "01.1234  ", or "  .      " when empty.
    QString texto = DBEdit19_->displayText();
    texto.replace(DBEdit19_->editMask().blank(), QLatin1Char(' '));
    return texto;
}

void PainelMovCaixa::DBEdit19Exit()
{
    try {
        app::AppState& state = form_.ctx().state;
        data::Table& mov = form_.ctx().tables.MovCaixa;
        const ConsultaDoPedido c = consultaPedido(SQLDS_Pedidos_, PEDIDOS_, textoDoPedido());
        if (c.resultado == ConsultaDoPedido::Resultado::NaoEncontrado) {
            form_.ctx().boxes.message(kMsgPedidoNaoEncontrado);
            return;
        }
        if (c.resultado == ConsultaDoPedido::Resultado::TipoDiferente) {
            form_.ctx().boxes.message(mensagemDeTipoDiferente(c.tipo));
            DBComboBox2_->setFocus(Qt::OtherFocusReason);
            if (form_.DSMovCaixa().beginEdit())
                mov.setValue(QStringLiteral("NPedido"), QVariant());
            return;
        }
        const PrecosDoPedido& p = c.precos;
        state.PrecoFinalRetido = p.precoFinal;
        mostraPrecos(p);
        state.PedidoConsultado = true;
        state.ValorRestanteConsultado = p.valorRestante;

        DBLab_->setEditText(p.laboratorio);
        DBLab_->repaint();
        form_.DSMovCaixa().beginEdit();
        mov.setValue(QStringLiteral("ValorOriginal"), p.valorRestante);
        mov.setValue(QStringLiteral("Laboratorio"), p.laboratorio);
        const bool sinal = text::upperAZ(mov.asString(QStringLiteral("SinalQuitacao")).left(3)) == QLatin1String("SIN");
        mov.setValue(QStringLiteral("Valor"), sinal ? p.sinal : p.valorRestante);

        PainelPrecos_->setGeometry(12, 296, 562, 51);
        PainelPrecos_->show();
        PainelPrecos_->raise();
        PainelPrecos_->repaint();

        form_.DSMovCaixa().post();
        mov.edit();
    } catch (const std::exception&) {
        // A lookup that fails ends without a word; what it did stays done.
    }
}

void PainelMovCaixa::mostraPrecos(const PrecosDoPedido& p)
{
    const widgets::DisplayFormat formato(QStringLiteral("###,##0.00"));
    const double valores[6] = {p.precoTotal, p.descPerc, p.desconto, p.sinal, p.valorRestante, p.precoFinal};
    for (int i = 0; i < 6; ++i)
        precos_[i]->setText(formato.display(valores[i], data::FieldKind::Float));
}

void PainelMovCaixa::DBEdit18Exit()
{
    try {
        app::AppState& state = form_.ctx().state;
        if (state.PrecoFinalRetido == 0.0)
            state.PrecoFinalRetido = form_.ctx().tables.MovCaixa.asFloat(QStringLiteral("Valor"));
        double digitado = 0;
        if (!text::parseAmount(DBEdit18_->text(), &digitado))
            return;
        state.ValorDigitadoRetido = digitado;
        if (!state.PedidoConsultado || digitado == state.ValorRestanteConsultado)
            return;
        if (!DBEdit20_->text().isEmpty())
            return;
        state.HistoricoPedido = true;
        PainelPrecos_->hide();
        const QString sinalQuitacao = DBComboBox2_->currentText();
        if (sinalQuitacao == QStringLiteral("Quitação"))
            form_.ctx().boxes.message(kMsgValorDiferente);
        else if (sinalQuitacao != QLatin1String("Sinal"))
            form_.ctx().boxes.message(kMsgPreencherHistorico);
        DBEdit20_->setFocus(Qt::OtherFocusReason);
    } catch (const std::exception&) {
        // An amount that can't be read skips the check.
    }
}

void PainelMovCaixa::DBEdit20Exit()
{
    app::AppState& state = form_.ctx().state;
    if (!state.HistoricoPedido)
        return;
    state.HistoricoPedido = false;
    DBComboBox4_->setFocus(Qt::OtherFocusReason);
}

void PainelMovCaixa::DBComboBox2Exit()
{
    const QString texto = DBComboBox2_->currentText();
    if (texto == QLatin1String("Sinal") || texto == QStringLiteral("Quitação"))
        return;
    form_.ctx().boxes.message(kMsgValorIncorreto);
    DBComboBox2_->setFocus(Qt::OtherFocusReason);
}

// --- Saving, cancelling, hygiene ---------------------------------------------

PanelTexts PainelMovCaixa::campos() const
{
    return {textoDoPedido(), DBComboBox2_->currentText(), DBEdit18_->text(), DBComboBox4_->currentText()};
}

void PainelMovCaixa::BitBtn5Click()
{
    if (!salvaMovimento)
        throw Error(kind::NotConnected, QStringLiteral("A gravação do movimento de caixa não está disponível"));
    salvaMovimento(campos());
    esconde();
}

void PainelMovCaixa::BitBtn4Click()
{
    data::CashTables& t = form_.ctx().tables;
    t.SessaoCx.close();
    if (t.MovCaixa.state() == data::DataSetState::Edit)
        t.MovCaixa.cancel();
    {
        data::Transaction unidade(t.MovCaixa.location());
        desmarcaEmEntrada(t.MovCaixa);
        t.MovCaixa.remove();
        unidade.commit();
    }
    t.Quitacao.close();
    t.MovCaixa.close();
    esconde();
}

void PainelMovCaixa::PainelMovCaixaExit()
{
    data::CashTables& t = form_.ctx().tables;
    ExpurgaMovimentosSemPedido(t.Query1, t.MovCaixa);
}

void PainelMovCaixa::onFocusChanged(QWidget* old, QWidget* now)
{
    if (!old || !isAncestorOf(old) || (now && isAncestorOf(now)))
        return;
    // A message box or another program taking the keyboard is no exit; the
    // panel hidden with the focus in it is.
    const bool saiu = now ? now->window() == window() : isHidden();
    if (saiu)
        emTratador([this] { PainelMovCaixaExit(); });
}

void PainelMovCaixa::OtimizarMovcaixa1Click()
{
    if (form_.FaltaIdentificacao() || form_.PaineisAbertos())
        return;
    const app::BoxAnswer resposta =
        form_.ctx().boxes.native(kTituloLimparTabelas, kPerguntaLimparTabelas, app::BoxButtons::YesNo);
    if (resposta != app::BoxAnswer::Yes)
        return;
    ExcluiMovimentosSemValor(form_.ctx().tables.qry_Utilitarios);
}

} // namespace qor::cash
