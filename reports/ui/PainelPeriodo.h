#pragma once

#include "app/window/Painel.h"

#include <QDate>

#include <functional>

class QComboBox;
class QPushButton;

namespace qor::app {
class TForm1;
}

namespace qor::orderdb {
class TDM;
}

namespace qor::widgets {
class DBEdit;
}

namespace qor::reports {

class ReportRunner;

// The period dialog of the period reports, shown over the report panel:
// the first and last date of the period (the one row of Periodo, through
// DSPeriodo) and, for the sales summary by store, a store. The command that
// opens it sets the report type in Tag; "Montar Relatório" saves the
// period, builds the type's query and runs its report.
class PainelPeriodo final : public app::Painel {
    Q_OBJECT
public:
    static inline const QString kMsgPeriodoNaoSalvo
        = QStringLiteral("Não foi possível salvar o período informado. Tente novamente.");
    static inline const QRect kLugar { 141, 45, 300, 196 };

    PainelPeriodo(app::TForm1& form, orderdb::TDM& DM, ReportRunner& RM);

    int Tag() const { return tag_; }
    void setTag(int tipo) { tag_ = tipo; }

    // Places and shows the panel.
    void abrepainelperiodo();
    // What a period command does: sets the report type, shows the panel,
    // focuses the initial date and puts the period row into editing (a new
    // row when Periodo has none).
    void abreParaRelatorio(int tipo);
    // The same for a report not of the types: "Montar Relatório" saves the
    // period and hands it to `monta`, which builds and runs the report.
    void abreParaRelatorio(std::function<void(const QDate&, const QDate&)> monta);

    void BitBtn11Click(); // "Montar Relatório"
    void BitBtn12Click(); // "Cancelar"

    QWidget* primeiroCampo() const override;

private:
    void criaControles();

    app::TForm1& form_;
    orderdb::TDM& dm_;
    ReportRunner& rm_;
    int tag_ = 0;
    std::function<void(const QDate&, const QDate&)> monta_;
    widgets::DBEdit* DBEdit47 = nullptr;
    widgets::DBEdit* DBEdit48 = nullptr;
    QComboBox* DBLaboratorio = nullptr;
    QPushButton* BitBtn11 = nullptr;
    QPushButton* BitBtn12 = nullptr;
};

} // namespace qor::reports
