#pragma once

#include "app/window/Painel.h"

class QPushButton;

namespace qor::app {
class TForm1;
}

namespace qor::reports {
class ReportRunner;
}

namespace qor::widgets {
class DBGrid;
}

namespace qor::admin {

class PnlRelatorio;

// The session browser: every stored session in a grid, the stored totals
// of the selected one, the deletion of an old closed session with its
// movements, and the report panel for the selected session.
class PainelSessoes final : public app::Painel {
    Q_OBJECT
public:
    static constexpr int kDiasAntesDeExcluir = 7;

    static QString msgSessaoAberta(const QString& numero);
    static QString msgSessaoRecente(const QString& numero);
    static QString msgNaoExcluiu(const QString& numero);

    PainelSessoes(app::TForm1& form, reports::ReportRunner& relatorios);

    void act_Sessoes_relatoriosExecute();
    void btn1Click(); // "Excluir Sessão"
    void btn3Click(); // "Relatórios"
    void btn4Click(); // "Voltar"

    PnlRelatorio* pnlRelatorio() const { return pnlRelatorio_; }
    QWidget* primeiroCampo() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void criaControles(reports::ReportRunner& relatorios);

    app::TForm1& form_;
    widgets::DBGrid* DBGrid2 = nullptr;
    PnlRelatorio* pnlRelatorio_ = nullptr;
};

} // namespace qor::admin
