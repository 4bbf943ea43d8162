#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

namespace qor::cash {

// The site's switch of the blind count at closing: the one row of
// ParCaixa (this program's own table) with ContagemCega "S". No table, no
// row or any other value: off, the closing as it always was.
bool contagemCegaLigada();

// One payment form as counted at the closing: what the session's totals
// expect in the drawer and what the operator counted.
struct FormaConferida {
    QString formaPag; // the closing panel's caption
    double esperado = 0;
    double contado = 0;
    double diferenca() const; // counted minus expected, to the cent
};

// Stores one ConferenciaCx row per form for session `numSessao`, in the
// caller's unit of work on the cash data file.
void gravaConferencia(int numSessao, const QString& operador, const QDate& dia, const QTime& hora,
                      const QList<FormaConferida>& formas);

} // namespace qor::cash
