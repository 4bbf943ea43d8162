#pragma once

#include "app/window/Painel.h"

class QGroupBox;
class QPushButton;

namespace qor::app {
class TForm1;
}

namespace qor::reports {
class ReportRunner;
}

namespace qor::admin {

// The report panel inside the session browser: shown over the whole
// browser by "Relatórios", so the selected session cannot change while it
// shows; "Fechar Painel de Relatórios" closes the report project and
// returns to the browser. The session reports (grp2) and the period reports
// (grp1) are laid out here; their commands are bound by the report module's
// commands, and stay disabled until then. While it shows, the browser's
// own controls under it can be reached neither by keys nor by the mouse.
class PnlRelatorio final : public app::Painel {
    Q_OBJECT
public:
    PnlRelatorio(app::TForm1& form, reports::ReportRunner& relatorios, QWidget* parent);

    void btn2Click(); // "Fechar Painel de Relatórios"

    QPushButton* botao(const QString& name) const;

private:
    QPushButton* comando(QWidget* box, const QString& name, const QString& caption);

    app::TForm1& form_;
    reports::ReportRunner& relatorios_;
};

} // namespace qor::admin
