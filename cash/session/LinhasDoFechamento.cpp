#include "cash/session/LinhasDoFechamento.h"

namespace qor::cash {

const QList<LinhaDeTotais>& linhasDoFechamento()
{
    static const QList<LinhaDeTotais> linhas = {
        {QStringLiteral("Dinheiro"), QStringLiteral("TotEntradaDin"), QStringLiteral("TotSaidaDin"), QStringLiteral("TotalDinheiro")},
        {QStringLiteral("Cheque"), QStringLiteral("TotEntradaChe"), QStringLiteral("TotSaidaChe"), QStringLiteral("TotalCheque")},
        {QStringLiteral("Cartão Crédito"), QStringLiteral("TotEntradaCar"), QStringLiteral("TotSaidaCar"), QStringLiteral("TotalCartao")},
        {QStringLiteral("Cartão Débito"), QStringLiteral("TotEntradaDeb"), QStringLiteral("TotSaidaDeb"), QStringLiteral("TotalDebito")},
        {QStringLiteral("Cheque Pré "), QStringLiteral("TotEntradaChePre"), QStringLiteral("TotSaidaChePre"), QStringLiteral("TotChePre")},
        {QStringLiteral("Depósito Conta"), QStringLiteral("TotEntradaDepC"), QStringLiteral("TotSaidaDepC"), QStringLiteral("TotalDepC")},
        {QStringLiteral("Boleto"), QStringLiteral("TotEntradaBol"), QStringLiteral("TotSaidaBol"), QStringLiteral("TotBol")},
        {QStringLiteral("Vale"), QStringLiteral("TotEntradaVale"), QStringLiteral("TotSaidaVale"), QStringLiteral("TotalVale")},
        {QStringLiteral("Total"), QStringLiteral("TotalEntradas"), QStringLiteral("TotalSaidas"), QStringLiteral("TotalGeral")},
    };
    return linhas;
}

QList<LinhaDeTotais> formasDoFechamento() { return linhasDoFechamento().mid(0, linhasDoFechamento().size() - 1); }

} // namespace qor::cash
