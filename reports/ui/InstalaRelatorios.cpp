#include "reports/ui/InstalaRelatorios.h"

#include "app/window/TForm1.h"
#include "reports/ui/ComandosDeRelatorio.h"
#include "reports/ui/PainelPeriodo.h"

namespace qor::reports {

void instalaRelatorios(app::TForm1& form, orderdb::TDM& DM, ReportRunner& RM)
{
    auto* periodo = new PainelPeriodo(form, DM, RM);
    form.installPanel(periodo);
    new ComandosDeRelatorio(form, DM, RM, *periodo);
}

} // namespace qor::reports
