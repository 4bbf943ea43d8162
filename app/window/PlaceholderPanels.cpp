#include "app/window/PlaceholderPanels.h"

#include "app/widgets/DBComboBox.h"
#include "app/widgets/DBEdit.h"

#include <QLabel>
#include <QPushButton>

namespace qor::app {

using widgets::DBComboBox;
using widgets::DBEdit;

QStringList nomesDosPaineis()
{
    return {QStringLiteral("PainelAbrirCaixa"), QStringLiteral("PainelFecharCaixa"),
            QStringLiteral("PainelOperadores"), QStringLiteral("PainelSessoes"),
            QStringLiteral("PainelMovCaixa"),   QStringLiteral("PainelPeriodo"),
            QStringLiteral("PainelLogin")};
}

QString tituloDoPainel(const QString& name)
{
    static const QHash<QString, QString> titles = {
        {QStringLiteral("PainelLogin"), QStringLiteral("Identificação do Usuário")},
        {QStringLiteral("PainelAbrirCaixa"), QStringLiteral("Abertura de Caixa")},
        {QStringLiteral("PainelFecharCaixa"), QStringLiteral("Fechamento de Caixa")},
        {QStringLiteral("PainelOperadores"), QStringLiteral("Operadores de Caixa")},
        {QStringLiteral("PainelSessoes"), QStringLiteral("Sessões de Caixa")},
        {QStringLiteral("PainelMovCaixa"), QStringLiteral("Movimento de Caixa")},
        {QStringLiteral("PainelPeriodo"), QString()},
    };
    return titles.value(name);
}

namespace {

QLabel* label(QWidget* parent, const QString& text, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    return l;
}

template <typename W>
W* place(W* w, int x, int y, int width)
{
    w->move(x, y);
    w->resize(width, w->sizeHint().height());
    return w;
}

void login(Painel* p)
{
    auto* bar = new QLabel(p->titulo(), p);
    bar->setObjectName(QStringLiteral("Panel48"));
    bar->setGeometry(0, 0, 401, 26);
    bar->setAlignment(Qt::AlignCenter);
    bar->setStyleSheet(QStringLiteral("background: navy; color: white; font-weight: bold;"));
    label(p, QStringLiteral("Usuário:"), 40, 76);
    label(p, QStringLiteral("Senha:"), 40, 108);
    auto* nome = place(new QLineEdit(p), 100, 73, 166);
    nome->setObjectName(QStringLiteral("EditNome"));
    auto* senha = place(new QLineEdit(p), 100, 105, 73);
    senha->setObjectName(QStringLiteral("EditSenhaU"));
    senha->setEchoMode(QLineEdit::Password);
    auto* ok = place(new QPushButton(QStringLiteral("OK"), p), 287, 72, 69);
    ok->setObjectName(QStringLiteral("BotOkSenha"));
    auto* cancela = place(new QPushButton(QStringLiteral("Cancela"), p), 287, 101, 69);
    cancela->setObjectName(QStringLiteral("BotCancSenha"));
}

void abrirCaixa(Painel* p)
{
    label(p, QStringLiteral("Sessão"), 26, 43);
    label(p, QStringLiteral("Operador"), 114, 43);
    label(p, QStringLiteral("Troco inicial R$"), 426, 43);
    auto* sessao = place(new DBEdit(QStringLiteral("DBEdit1"), p), 26, 61, 81);
    sessao->setDataReadOnly(true);
    sessao->setTabStop(false);
    place(new DBComboBox(QStringLiteral("DBComboBox1"), DBComboBox::Style::Editable, p), 114, 61, 307);
    place(new DBEdit(QStringLiteral("DBEdit2"), p), 426, 61, 121);
}

void movimento(Painel* p)
{
    label(p, QStringLiteral("Sinal / Quitação"), 22, 83);
    auto* sq = place(new DBComboBox(QStringLiteral("DBComboBox2"), DBComboBox::Style::List, p), 21, 102, 190);
    sq->addItems({QStringLiteral("Sinal"), QStringLiteral("Quitação")});
    label(p, QStringLiteral("Nº do Pedido"), 225, 83);
    place(new DBEdit(QStringLiteral("DBEdit19"), p), 225, 102, 180)->setEditMask(QStringLiteral("AA.######"));
    label(p, QStringLiteral("Loja"), 421, 83);
    place(new DBComboBox(QStringLiteral("DBLab"), DBComboBox::Style::Editable, p), 421, 102, 140);
    label(p, QStringLiteral("Valor"), 22, 138);
    place(new DBEdit(QStringLiteral("DBEdit18"), p), 21, 157, 145);
    label(p, QStringLiteral("Forma Pagto"), 179, 138);
    place(new DBComboBox(QStringLiteral("DBComboBox4"), DBComboBox::Style::List, p), 176, 157, 230);
    label(p, QStringLiteral("Histórico"), 22, 199);
    place(new DBEdit(QStringLiteral("DBEdit20"), p), 21, 216, 540);
}

void periodo(Painel* p)
{
    auto* header = new QLabel(QStringLiteral("Período"), p);
    header->setGeometry(0, 0, 300, 24);
    header->setAlignment(Qt::AlignCenter);
    header->setStyleSheet(QStringLiteral("background: navy; color: white; font-weight: bold;"));
    label(p, QStringLiteral("Data Inicial"), 20, 40);
    place(new DBEdit(QStringLiteral("DBEdit47"), p), 120, 36, 110)->setEditMask(QStringLiteral("!99/99/0000;1;_"));
    label(p, QStringLiteral("Data Final"), 20, 72);
    place(new DBEdit(QStringLiteral("DBEdit48"), p), 120, 68, 110)->setEditMask(QStringLiteral("!99/99/0000;1;_"));
    label(p, QStringLiteral("Laboratório"), 20, 104);
    place(new DBComboBox(QStringLiteral("DBLaboratorio"), DBComboBox::Style::Editable, p), 120, 100, 160);
    p->setGeometry(141, 45, 300, 196);
}

// Until the real panel comes, a way back out of it.
void fechar(Painel* p)
{
    auto* titulo = label(p, p->titulo(), 13, 7);
    titulo->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 14px; color: navy;"));
    auto* voltar = new QPushButton(QStringLiteral("Voltar"), p);
    voltar->setObjectName(QStringLiteral("btnFecharProvisorio"));
    voltar->move(13, 290);
    QObject::connect(voltar, &QPushButton::clicked, p, &Painel::esconde);
}

} // namespace

PainelProvisorio::PainelProvisorio(const QString& name, QWidget* parent) : Painel(name, tituloDoPainel(name), parent)
{
    if (name == QLatin1String("PainelLogin")) {
        login(this);
        return;
    }
    if (name == QLatin1String("PainelPeriodo")) {
        periodo(this);
        return;
    }
    fechar(this);
    if (name == QLatin1String("PainelAbrirCaixa"))
        abrirCaixa(this);
    else if (name == QLatin1String("PainelMovCaixa"))
        movimento(this);
}

} // namespace qor::app
