#include "app/window/StartupSteps.h"

#include "app/state/AppState.h"
#include "app/window/Captions.h"
#include "app/window/ClientAlign.h"
#include "app/window/TForm1.h"
#include "data/base/Clock.h"
#include "data/local/CashTables.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>

namespace qor::app {

namespace {

// A table opened for one step and closed at its end, also when the step fails.
class AbertaNoPasso {
public:
    explicit AbertaNoPasso(data::DataSet& ds) : ds_(ds) { ds_.open(); }
    ~AbertaNoPasso()
    {
        try {
            ds_.close();
        } catch (...) {
            // The step's own error is the one to report.
        }
    }
    AbertaNoPasso(const AbertaNoPasso&) = delete;
    AbertaNoPasso& operator=(const AbertaNoPasso&) = delete;

private:
    data::DataSet& ds_;
};

QStringList coluna(data::DataSet& ds, const QString& field)
{
    QStringList out;
    for (ds.first(); !ds.eof(); ds.next())
        out << ds.asString(field);
    return out;
}

void umaLinhaDeZeros(data::DataSet& ds, const QStringList& fields)
{
    AbertaNoPasso aberta(ds);
    if (!ds.isEmpty())
        return;
    ds.append();
    for (const QString& f : fields)
        ds.setValue(f, 0);
    ds.post();
}

} // namespace

void StartupSteps::run()
{
    for (const auto* hook : {&form_.configuraDestinos, &form_.ligaDiagnostico, &form_.expurgaArquivosQuitacao})
        if (*hook)
            (*hook)();
    ponteiroDaSessao();
    operadores();
    lojas();
    formasDePagamento();
    sessaoAberta();
    contadores();
    lojaPadrao();
    marcaDeHistorico();
    higieneDaQuitacao();
    fundo();
}

void StartupSteps::ponteiroDaSessao() { umaLinhaDeZeros(form_.ctx().tables.CaixaCor, {QStringLiteral("SessaoCorrente")}); }

void StartupSteps::operadores()
{
    data::Table& tabCaixa = form_.ctx().tables.TabCaixa;
    AbertaNoPasso aberta(tabCaixa);
    form_.control<QComboBox>(QStringLiteral("DBComboBox1")).addItems(coluna(tabCaixa, QStringLiteral("Caixa")));
}

void StartupSteps::lojas()
{
    auto& formas = form_.control<QComboBox>(QStringLiteral("DBComboBox4"));
    auto& laboratorio = form_.control<QComboBox>(QStringLiteral("DBLaboratorio"));
    formas.clear();
    laboratorio.clear();
    data::Table& tabLab = form_.ctx().tables.TabLab;
    AbertaNoPasso aberta(tabLab);
    if (tabLab.isEmpty()) {
        laboratorio.setEnabled(false);
        return;
    }
    const QStringList lojas = coluna(tabLab, QStringLiteral("Laboratorio"));
    laboratorio.addItems(lojas);
    form_.control<QComboBox>(QStringLiteral("DBLab")).addItems(lojas);
    laboratorio.setEnabled(true);
}

void StartupSteps::formasDePagamento()
{
    data::Table& formaPag = form_.ctx().tables.FormaPag;
    AbertaNoPasso aberta(formaPag);
    form_.control<QComboBox>(QStringLiteral("DBComboBox4")).addItems(coluna(formaPag, QStringLiteral("FormaPagto")));
}

void StartupSteps::sessaoAberta()
{
    AppState& state = form_.ctx().state;
    state.CaixaAberto = false;
    data::Table& sessaoCx = form_.ctx().tables.SessaoCx;
    AbertaNoPasso aberta(sessaoCx);
    if (sessaoCx.isEmpty())
        return;
    sessaoCx.last();
    if (!sessaoCx.isNull(QStringLiteral("DataFechamento")))
        return;
    state.CaixaAberto = true;
    state.setNomeOperador(sessaoCx.asString(QStringLiteral("Operador")));
    form_.setWindowTitle(captionCaixaAberto(state.NomeOperador()));
}

void StartupSteps::contadores()
{
    umaLinhaDeZeros(form_.ctx().tables.CTCaixa, {QStringLiteral("CTSangria"), QStringLiteral("CTRessuprimento")});
}

void StartupSteps::lojaPadrao()
{
    data::Table& parsist = form_.ctx().tables.Parsist;
    AbertaNoPasso aberta(parsist);
    parsist.first();
    form_.ctx().state.setLojaPadrao(parsist.isEmpty() ? QString() : parsist.asString(QStringLiteral("Op86")));
}

void StartupSteps::marcaDeHistorico() { form_.ctx().state.HistoricoPedido = false; }

void StartupSteps::higieneDaQuitacao()
{
    data::Table& quitacao = form_.ctx().tables.Quitacao;
    const QDate limite = form_.ctx().clock.today().addDays(-7);
    AbertaNoPasso aberta(quitacao);
    quitacao.first();
    while (!quitacao.eof()) {
        const QDate data = quitacao.asDate(QStringLiteral("DataMov"));
        if (!data.isValid() || data < limite)
            quitacao.remove(); // the next row becomes the current one
        else
            quitacao.next();
    }
}

void StartupSteps::fundo()
{
    ClientAlign::apply(&form_.control<QLabel>(QStringLiteral("img1")));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace qor::app
