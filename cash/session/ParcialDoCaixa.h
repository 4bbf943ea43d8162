#pragma once

#include <QString>

namespace qor::app {
class TForm1;
}

namespace qor::reports {
class ReportRunner;
}

namespace qor::cash {

inline const QString kRelatorioParcial = QStringLiteral("rpt_ParcialCaixa");

// "Parcial do Caixa": with an operator identified, no panel open and the
// till open, brings the open session's totals up to date, as the closing
// does, and prints them (rpt_ParcialCaixa); the session stays open.
void parcialDoCaixa(app::TForm1& form, reports::ReportRunner& relatorios);

} // namespace qor::cash
