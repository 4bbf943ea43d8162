#include "admin/core/SessaoCxBeforeDelete.h"

#include "data/local/Transaction.h"

namespace qor::admin {

namespace {

// The rest of the program opens MovCaixa itself and expects no filter on it.
class FechaEDesfiltra {
public:
    explicit FechaEDesfiltra(data::Table& t) : t_(t) {}
    ~FechaEDesfiltra()
    {
        t_.close();
        t_.setFilter(QString());
        t_.setFiltered(false);
    }
    FechaEDesfiltra(const FechaEDesfiltra&) = delete;
    FechaEDesfiltra& operator=(const FechaEDesfiltra&) = delete;

private:
    data::Table& t_;
};

} // namespace

void SessaoCxBeforeDelete(data::Table& SessaoCx, data::Table& MovCaixa)
{
    const QString filtro = QStringLiteral("NumSessao = ") + QString::number(SessaoCx.asInteger(QStringLiteral("NumSessao")));
    FechaEDesfiltra aoSair(MovCaixa);
    MovCaixa.setFilter(filtro);
    MovCaixa.setFiltered(true);
    MovCaixa.open();
    MovCaixa.first();
    while (!MovCaixa.eof())
        MovCaixa.remove();
}

void ligaSessaoCxBeforeDelete(data::Table& SessaoCx, data::Table& MovCaixa)
{
    SessaoCx.setBeforeDelete([&MovCaixa](data::Table& sessao) { SessaoCxBeforeDelete(sessao, MovCaixa); });
}

void excluiSessao(data::Table& SessaoCx)
{
    data::Transaction unidade(SessaoCx.location());
    SessaoCx.remove();
    unidade.commit();
}

} // namespace qor::admin
