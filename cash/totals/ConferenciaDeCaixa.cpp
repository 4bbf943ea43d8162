#include "cash/totals/ConferenciaDeCaixa.h"

#include "data/base/Error.h"
#include "data/local/Table.h"

#include <QtMath>

namespace qor::cash {

namespace {

const QString kDados = QStringLiteral("QORFDADOS");

} // namespace

bool contagemCegaLigada()
{
    try {
        data::Table t(kDados, QStringLiteral("ParCaixa"));
        t.open();
        t.first();
        const bool ligada = !t.eof() && t.asString(QStringLiteral("ContagemCega")).trimmed() == QLatin1String("S");
        t.close();
        return ligada;
    } catch (const Error& e) {
        if (e.kind() == kind::TableNotFound) // a site that never set the switch
            return false;
        throw;
    }
}

double FormaConferida::diferenca() const { return qRound64((contado - esperado) * 100.0) / 100.0; }

void gravaConferencia(int numSessao, const QString& operador, const QDate& dia, const QTime& hora,
                      const QList<FormaConferida>& formas)
{
    data::Table t(kDados, QStringLiteral("ConferenciaCx"));
    t.open();
    for (const FormaConferida& f : formas) {
        t.append();
        t.setValue(QStringLiteral("NumSessao"), numSessao);
        t.setValue(QStringLiteral("FormaPag"), f.formaPag);
        t.setValue(QStringLiteral("Esperado"), f.esperado);
        t.setValue(QStringLiteral("Contado"), f.contado);
        t.setValue(QStringLiteral("Diferenca"), f.diferenca());
        t.setValue(QStringLiteral("Operador"), operador);
        t.setValue(QStringLiteral("DataConf"), dia);
        t.setValue(QStringLiteral("HoraConf"), hora);
        t.post();
    }
    t.close();
}

} // namespace qor::cash
