#include "cash/totals/TotalizaSessao.h"

#include "data/base/Text.h"
#include "data/local/Query.h"

#include <array>

namespace qor::cash {

namespace {

constexpr size_t kFormas = 8;

// Field names per form, in the order the totals are written.
struct FormaFields {
    const char* entrada;
    const char* saida;
    const char* saldo;
};
constexpr std::array<FormaFields, kFormas> kFields = {{
    {"TotEntradaDin", "TotSaidaDin", "TotalDinheiro"},
    {"TotEntradaDeb", "TotSaidaDeb", "TotalDebito"},
    {"TotEntradaChe", "TotSaidaChe", "TotalCheque"},
    {"TotEntradaChePre", "TotSaidaChePre", "TotChePre"},
    {"TotEntradaCar", "TotSaidaCar", "TotalCartao"},
    {"TotEntradaDepC", "TotSaidaDepC", "TotalDepC"},
    {"TotEntradaVale", "TotSaidaVale", "TotalVale"},
    {"TotEntradaBol", "TotSaidaBol", "TotBol"},
}};

struct Sums {
    std::array<double, kFormas> porForma{};
    double total = 0.0;

    void add(const QString& formaPag, double valor)
    {
        FormaTotal forma;
        if (formaTotalDe(formaPag, &forma))
            porForma[size_t(forma)] += valor;
        total += valor;
    }
};

QString name(const char* field) { return QString::fromLatin1(field); }

} // namespace

bool formaTotalDe(const QString& formaPag, FormaTotal* out)
{
    const QString code = text::upperAZ(formaPag.left(3));
    if (code == u"DIN")
        *out = FormaTotal::Dinheiro;
    else if (code == u"DEB")
        *out = FormaTotal::Debito;
    else if (code == u"CHE" && formaPag.size() == 6)
        *out = FormaTotal::Cheque;
    else if (code == u"CHE" && formaPag.size() > 7)
        *out = FormaTotal::ChequePre;
    else if (code == u"CRE")
        *out = FormaTotal::Cartao;
    else if (code == u"DEP")
        *out = FormaTotal::DepConta;
    else if (code == u"VAL")
        *out = FormaTotal::Vale;
    else if (code == u"BOL")
        *out = FormaTotal::Boleto;
    else
        return false;
    return true;
}

void TotalizaSessao(data::Table& SessaoCx, data::Table& MovCaixa, data::Table& CaixaCor)
{
    SessaoCx.open();
    SessaoCx.last();
    const int numSessao = SessaoCx.asInteger(QStringLiteral("NumSessao"));

    // The session's movements in the table's own order (NumSessao, then entry
    // order), read by one forward statement: stepping the table object row by
    // row costs ten times as much on a large MovCaixa.
    data::Query movimentos(MovCaixa.location());
    movimentos.setSql(QStringLiteral("SELECT EntradaSaida, FormaPag, Valor FROM ") + MovCaixa.tableName()
                      + QStringLiteral(" WHERE NumSessao = :sessao ORDER BY NumSessao, rowid"));
    movimentos.bindValue(QStringLiteral("sessao"), numSessao);
    movimentos.open();

    Sums entradas;
    Sums saidas;
    const QString fEntradaSaida = QStringLiteral("EntradaSaida");
    const QString fFormaPag = QStringLiteral("FormaPag");
    const QString fValor = QStringLiteral("Valor");
    for (movimentos.first(); !movimentos.eof(); movimentos.next()) {
        const QString direcao = movimentos.asString(fEntradaSaida);
        if (direcao == u"Entrada")
            entradas.add(movimentos.asString(fFormaPag), movimentos.asFloat(fValor));
        else if (direcao == u"Saida")
            saidas.add(movimentos.asString(fFormaPag), movimentos.asFloat(fValor));
    }
    movimentos.close();

    const double troco = SessaoCx.asFloat(QStringLiteral("Troco"));
    SessaoCx.edit();
    for (size_t i = 0; i < kFormas; ++i)
        SessaoCx.setValue(name(kFields[i].entrada), entradas.porForma[i]);
    for (size_t i = 0; i < kFormas; ++i)
        SessaoCx.setValue(name(kFields[i].saida), saidas.porForma[i]);
    SessaoCx.setValue(QStringLiteral("TotalEntradas"), entradas.total);
    SessaoCx.setValue(QStringLiteral("TotalSaidas"), saidas.total);
    for (size_t i = 0; i < kFormas; ++i) {
        // Only cash includes the opening float.
        const double base = i == size_t(FormaTotal::Dinheiro) ? troco : 0.0;
        SessaoCx.setValue(name(kFields[i].saldo), base + entradas.porForma[i] - saidas.porForma[i]);
    }
    SessaoCx.setValue(QStringLiteral("TotalGeral"), troco + entradas.total - saidas.total);
    SessaoCx.post();

    CaixaCor.open();
    CaixaCor.first();
    CaixaCor.edit();
    CaixaCor.setValue(QStringLiteral("SessaoCorrente"), numSessao);
    CaixaCor.post();
    CaixaCor.close();

    MovCaixa.close();
    MovCaixa.setFilter(QString());
    MovCaixa.setFiltered(false);
}

} // namespace qor::cash
