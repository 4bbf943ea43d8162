#pragma once

#include "app/window/Painel.h"

namespace qor::app {
class TForm1;
}

namespace qor::widgets {
class DBGrid;
class DBNavigator;
}

namespace qor::admin {

// The operators list: the rows of TabCaixa in an editable grid with a
// navigator. The opening panel's operator choices are read at start-up, so
// a name added here is offered there from the next start on.
class PainelOperadores final : public app::Painel {
    Q_OBJECT
public:
    explicit PainelOperadores(app::TForm1& form);

    void act_OperadoresExecute();
    void VoltarClick();

    QWidget* primeiroCampo() const override;

private:
    app::TForm1& form_;
    widgets::DBNavigator* dbnvgr1 = nullptr;
    widgets::DBGrid* DBGrid1 = nullptr;
};

} // namespace qor::admin
