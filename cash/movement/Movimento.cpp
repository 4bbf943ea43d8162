#include "cash/movement/Movimento.h"

#include "data/base/Error.h"

namespace qor::cash {

QString nomeDoTipo(TipoMovimento tipo)
{
    switch (tipo) {
    case TipoMovimento::Venda:
        return QStringLiteral("Venda");
    case TipoMovimento::Sangria:
        return QStringLiteral("Sangria");
    case TipoMovimento::Ressuprimento:
        return QStringLiteral("Ressuprimento");
    }
    return {};
}

QString campoDoContador(TipoMovimento tipo)
{
    return tipo == TipoMovimento::Sangria ? QStringLiteral("CTSangria") : QStringLiteral("CTRessuprimento");
}

QString numeroDoMovimento(TipoMovimento tipo, int contador)
{
    const QString prefixo = tipo == TipoMovimento::Sangria ? QStringLiteral("S_") : QStringLiteral("R");
    return prefixo + QString::number(qint64(contador) + 1);
}

FalhaDeTabela FalhaDeTabela::de(const std::exception& e)
{
    if (const auto* err = dynamic_cast<const Error*>(&e))
        return {err->kind(), err->text()};
    return {QStringLiteral("Exception"), QString::fromLocal8Bit(e.what())};
}

std::optional<FalhaDeTabela> testaIndicePedSiQui(data::Table& MovCaixa)
{
    try {
        MovCaixa.setIndexName(QStringLiteral("PedSiQui"));
        MovCaixa.open();
    } catch (const std::exception& e) {
        MovCaixa.setIndexName(QString());
        return FalhaDeTabela::de(e);
    }
    MovCaixa.close();
    MovCaixa.setIndexName(QString());
    return std::nullopt;
}

QString mensagemDoIndice()
{
    return QStringLiteral("Favor eliminar duplicidades na tabela de Movimentos do Caixa e fazer a recuperação de "
                          "índices no QUELVORA antes de continuar. Usar a ferramenta ZEBUN.EXE.");
}

QString mensagemDoIndiceDetalhada(const FalhaDeTabela& falha)
{
    return mensagemDoIndice() + QStringLiteral("\rClasse: ") + falha.classe + QStringLiteral("\rErro: ") + falha.erro;
}

QString mensagemFatalDaMovCaixa(const FalhaDeTabela& falha)
{
    const QStringList linhas{
        QStringLiteral("Erro na tabela MOVCAIXA."),
        QStringLiteral("1) Se houver um registro em MOVCAIXA com o campo NPEDIDO ou "),
        QStringLiteral("   SINALQUITACAO em branco, favor excluí-lo"),
        QStringLiteral("   ou"),
        QStringLiteral("2) Tente recuperar os índices de MovCaixa.db"),
        QStringLiteral("O caixa será finalizado."),
        QString(),
        QStringLiteral("Classe: ") + falha.classe,
        QStringLiteral("Erro: ") + falha.erro,
    };
    return linhas.join(QLatin1Char('\r'));
}

void preencheMovimento(data::DataSet& MovCaixa, const NovoMovimento& novo)
{
    const bool venda = novo.tipo == TipoMovimento::Venda;
    MovCaixa.setValue(QStringLiteral("NumSessao"), novo.numSessao);
    MovCaixa.setValue(QStringLiteral("DataMov"), novo.inicio.date());
    MovCaixa.setValue(QStringLiteral("HoraMov"), novo.inicio.time());
    MovCaixa.setValue(QStringLiteral("TipoMov"), nomeDoTipo(novo.tipo));
    MovCaixa.setValue(QStringLiteral("EntradaSaida"),
                      novo.tipo == TipoMovimento::Sangria ? QStringLiteral("Saida") : QStringLiteral("Entrada"));
    MovCaixa.setValue(QStringLiteral("FormaPag"), QStringLiteral("Dinheiro"));
    if (venda) {
        MovCaixa.setValue(QStringLiteral("SinalQuitacao"), QStringLiteral("Quitação"));
        MovCaixa.setValue(QStringLiteral("Laboratorio"), novo.lojaPadrao);
    } else {
        MovCaixa.setValue(QStringLiteral("SinalQuitacao"), novo.numero);
        MovCaixa.setValue(QStringLiteral("NPedido"), novo.numero);
    }
}

void avancaContador(data::DataSet& CTCaixa, TipoMovimento tipo)
{
    const QString campo = campoDoContador(tipo);
    CTCaixa.edit();
    CTCaixa.setValue(campo, CTCaixa.asInteger(campo) + 1);
    CTCaixa.post();
}

} // namespace qor::cash
