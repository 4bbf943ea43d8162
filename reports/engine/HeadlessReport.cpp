#include "reports/engine/HeadlessReport.h"

#include "reports/engine/ReportModule.h"
#include "reports/engine/ReportOutput.h"

namespace qor::reports {

bool renderReportToPdf(TRM& rm, const QString& reportName, const QString& pdfPath)
{
    PdfFileOutput pdf(pdfPath, rm.rvpdf1);
    struct Restore {
        ReportSystem& system;
        ReportOutput* output = system.output;
        ReportStatus* status = system.status;
        ~Restore()
        {
            system.output = output;
            system.status = status;
        }
    } restore{rm.rvstm1};
    rm.rvstm1.output = &pdf;
    rm.rvstm1.status = nullptr;
    rm.rvpj1.Close();
    return rm.rvpj1.ExecuteReport(reportName);
}

} // namespace qor::reports
