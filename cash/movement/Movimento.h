#pragma once

#include "data/local/DataSet.h"
#include "data/local/Table.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <exception>
#include <optional>

namespace qor::cash {

// The three movements of the till; the numbers are Ajusta_Campos' types.
enum class TipoMovimento { Venda = 1, Sangria = 2, Ressuprimento = 3 };

// "Venda", "Sangria", "Ressuprimento": the TipoMov value and the panel title.
QString nomeDoTipo(TipoMovimento tipo);

// The CTCaixa counter of a withdrawal or replenishment.
QString campoDoContador(TipoMovimento tipo);

// The number of the next withdrawal ("S_" + counter + 1) or replenishment
// ("R" + counter + 1), plain digits. It goes into NPedido and SinalQuitacao.
QString numeroDoMovimento(TipoMovimento tipo, int contador);

// What an engine error tells the operator after "Classe: " and "Erro: ".
struct FalhaDeTabela {
    QString classe;
    QString erro;
    static FalhaDeTabela de(const std::exception& e);
};

// Opens MovCaixa under "PedSiQui" only to prove the index usable and closes
// it again; the index name is back to none in either case.
std::optional<FalhaDeTabela> testaIndicePedSiQui(data::Table& MovCaixa);

QString mensagemDoIndice();
QString mensagemDoIndiceDetalhada(const FalhaDeTabela& falha);
// A sale's new row could not be stored: the program ends after this.
QString mensagemFatalDaMovCaixa(const FalhaDeTabela& falha);

// The defaults of a movement row, written right after the append.
struct NovoMovimento {
    TipoMovimento tipo = TipoMovimento::Venda;
    QVariant numSessao;  // of the last SessaoCx row; null without one
    QDateTime inicio;    // DataMov and HoraMov
    QString lojaPadrao;  // a sale's Laboratorio
    QString numero;      // a withdrawal's or replenishment's number
};
void preencheMovimento(data::DataSet& MovCaixa, const NovoMovimento& novo);

// Raises the withdrawal or replenishment counter by one and stores it.
void avancaContador(data::DataSet& CTCaixa, TipoMovimento tipo);

} // namespace qor::cash
