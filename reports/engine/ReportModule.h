#pragma once

#include "reports/engine/DataConnections.h"
#include "reports/engine/PdfOutput.h"
#include "reports/engine/ReportProject.h"
#include "reports/engine/ReportSystem.h"

#include <QList>
#include <QString>

namespace qor {
class Clock;
}

namespace qor::reports {

// A data connection as the report project names it, and the data module's
// dataset that the program registers under it.
struct ConnectionBinding {
    QString connection;
    QString dataSet;
};

// The report module RM: the project, the report system, the PDF output and
// the data connections. It has no behaviour of its own. The program
// registers each dataset (see connectionTable()) and sets the default
// destination (the preview) before the first report.
class TRM {
public:
    explicit TRM(const Clock& clock);
    TRM(const TRM&) = delete;
    TRM& operator=(const TRM&) = delete;

    DataConnections connections;
    ReportSystem rvstm1;
    PdfOutput rvpdf1;
    ReportProject rvpj1;

    // rvdsSessaoCX -> qrySessaoCX, ..., rvdsPeriodo -> Periodo (the main
    // window's period table), rvdsCabecalho -> qryCabecalho (the heading:
    // store, period, store filter).
    static const QList<ConnectionBinding>& connectionTable();
};

} // namespace qor::reports
