#include "cash/session/PainelContagem.h"

#include "app/state/AppState.h"
#include "app/state/MessageBoxes.h"
#include "app/widgets/AmountField.h"
#include "app/widgets/RunHandler.h"
#include "app/window/KeyPreview.h"
#include "app/window/TForm1.h"
#include "cash/session/AparenciaDePainel.h"
#include "cash/session/LinhasDoFechamento.h"
#include "data/base/Text.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qor::cash {

PainelContagem::PainelContagem(app::TForm1& form, std::function<void(const QList<double>&)> aoConfirmar)
    : Painel(QStringLiteral("PainelContagem"), QStringLiteral("Contagem do Caixa")), form_(form),
      aoConfirmar_(std::move(aoConfirmar))
{
    criaControles();
    for (QLineEdit* campo : campos_)
        form_.keyPreview().addEnterField(campo->objectName());
}

void PainelContagem::criaControles()
{
    tituloDePainel(this, titulo(), QPoint(13, 2));
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("BevelContagem"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(13, 28, 403, 8 * 26 + 14);

    QWidget* anterior = nullptr;
    const QList<LinhaDeTotais> formas = formasDoFechamento();
    for (int i = 0; i < formas.size(); ++i) {
        const int topo = 36 + i * 26;
        auto* legenda = new QLabel(formas.at(i).legenda.trimmed(), this);
        legenda->setGeometry(25, topo, 180, 23);
        auto* campo = new QLineEdit(this);
        campo->setObjectName(QStringLiteral("edtContado") + formas.at(i).saldo);
        campo->setGeometry(230, topo, 170, 23);
        campo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        widgets::AmountField::install(campo);
        legenda->setBuddy(campo);
        if (anterior)
            QWidget::setTabOrder(anterior, campo);
        anterior = campo;
        campos_ << campo;
    }
    const int topoBotoes = 36 + 8 * 26 + 12;
    btnConfirmaContagem = botaoDePainel(this, QStringLiteral("btnConfirmaContagem"), QStringLiteral("Confirmar Contagem"),
                                        QRect(216, topoBotoes, 200, 32), QColor(Qt::darkBlue));
    btnCancelaContagem = botaoDePainel(this, QStringLiteral("btnCancelaContagem"), QStringLiteral("Cancelar"),
                                       QRect(12, topoBotoes, 200, 32), Qt::red);
    QWidget::setTabOrder(anterior, btnConfirmaContagem);
    QWidget::setTabOrder(btnConfirmaContagem, btnCancelaContagem);
    app::MessageBoxes& boxes = form_.ctx().boxes;
    app::connectHandler(btnConfirmaContagem, &QPushButton::clicked, this, boxes, [this] { btnConfirmaContagemClick(); });
    app::connectHandler(btnCancelaContagem, &QPushButton::clicked, this, boxes, [this] { btnCancelaContagemClick(); });
}

QWidget* PainelContagem::primeiroCampo() const { return campos_.first(); }

void PainelContagem::abre()
{
    for (QLineEdit* campo : campos_)
        campo->clear();
    mostraNaAreaCliente();
    focaPrimeiroCampo();
}

void PainelContagem::btnConfirmaContagemClick()
{
    QList<double> contados;
    const QList<LinhaDeTotais> formas = formasDoFechamento();
    for (int i = 0; i < campos_.size(); ++i) {
        double valor = 0;
        const QString texto = campos_.at(i)->text().trimmed();
        if (!texto.isEmpty() && !text::parseAmount(texto, &valor)) {
            form_.ctx().boxes.message(kMsgValorInvalido.arg(formas.at(i).legenda.trimmed()));
            campos_.at(i)->setFocus();
            return;
        }
        contados << valor;
    }
    esconde();
    aoConfirmar_(contados);
}

void PainelContagem::btnCancelaContagemClick() { esconde(); }

} // namespace qor::cash
