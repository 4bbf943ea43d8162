#include "cash/save/ui/PainelPendentes.h"

#include "app/window/TForm1.h"
#include "cash/save/EscritaNoPedido.h"
#include "cash/save/PagamentoPendente.h"
#include "data/base/Text.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qor::cash {

PainelPendentes::PainelPendentes(app::TForm1& form, orderdb::TDM& dm)
    : app::Painel(kNome, QStringLiteral("Pagamentos pendentes no pedido")), form_(form), dm_(dm)
{
    auto* layout = new QVBoxLayout(this);
    auto* rotulo = new QLabel(titulo(), this);
    rotulo->setObjectName(QStringLiteral("lblPendentes"));
    layout->addWidget(rotulo);
    lista_ = new QTableWidget(0, 5, this);
    lista_->setObjectName(QStringLiteral("GradePendentes"));
    lista_->setHorizontalHeaderLabels({QStringLiteral("Pedido"), QStringLiteral("Tipo"), QStringLiteral("Valor"),
                                       QStringLiteral("Data"), QStringLiteral("Última falha")});
    lista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista_->horizontalHeader()->setStretchLastSection(true);
    lista_->verticalHeader()->hide();
    layout->addWidget(lista_);
    auto* botoes = new QHBoxLayout;
    tentar_ = new QPushButton(QStringLiteral("Tentar novamente"), this);
    tentar_->setObjectName(QStringLiteral("BtnTentarPendentes"));
    voltar_ = new QPushButton(QStringLiteral("Voltar"), this);
    voltar_->setObjectName(QStringLiteral("BtnVoltarPendentes"));
    botoes->addWidget(tentar_);
    botoes->addStretch();
    botoes->addWidget(voltar_);
    layout->addLayout(botoes);
    connect(tentar_, &QPushButton::clicked, this, [this] { form_.runHandler([this] { BtnTentarClick(); }); });
    connect(voltar_, &QPushButton::clicked, this, [this] { form_.runHandler([this] { BtnVoltarClick(); }); });
}

QWidget* PainelPendentes::primeiroCampo() const { return lista_; }

void PainelPendentes::PagamentosPendentesClick()
{
    if (form_.FaltaIdentificacao() || form_.PaineisAbertos())
        return;
    atualizaLista();
    mostraNaAreaCliente();
    focaPrimeiroCampo();
}

void PainelPendentes::atualizaLista()
{
    const QList<PagamentoPendente> pendentes = pendentes::lista();
    lista_->setRowCount(int(pendentes.size()));
    for (int i = 0; i < pendentes.size(); ++i) {
        const PagamentoPendente& p = pendentes.at(i);
        const QStringList colunas{p.pedido(), p.tipo(), text::formatAmount(p.valor),
                                  p.dataMov.toString(QStringLiteral("dd/MM/yy")) + QLatin1Char(' ')
                                      + p.horaMov.toString(QStringLiteral("hh:mm")),
                                  p.ultimaFalha};
        for (int c = 0; c < colunas.size(); ++c)
            lista_->setItem(i, c, new QTableWidgetItem(colunas.at(c)));
    }
    tentar_->setEnabled(!pendentes.isEmpty());
}

void PainelPendentes::BtnTentarClick()
{
    const std::function<void(const QString&)> nada = [](const QString&) {};
    const auto& log = GravaLog ? GravaLog : nada;
    regravaPendentes(dm_, log);
    atualizaLista();
}

void PainelPendentes::BtnVoltarClick() { esconde(); }

PainelPendentes& instalaPendentes(app::TForm1& form, orderdb::TDM& dm)
{
    auto* painel = new PainelPendentes(form, dm);
    form.installPanel(painel);
    form.setHandler(PainelPendentes::kComando, [painel] { painel->PagamentosPendentesClick(); });
    return *painel;
}

} // namespace qor::cash
