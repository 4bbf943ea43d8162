#pragma once

#include "app/window/Painel.h"

class QPushButton;

namespace qor::widgets {
class DBComboBox;
class DBEdit;
}

namespace qor::app {
class TForm1;
}

namespace qor::cash {

// The opening panel and its command: "&Abrir Caixa" appends and stores a new
// session row and shows the panel on it, in editing; the operator confirms
// the operator name and types the opening float; "Abrir Caixa" keeps the
// row and marks the till open, "Cancelar" deletes the row again.
class PainelAbrirCaixa final : public app::Painel {
    Q_OBJECT
public:
    static inline const QString kMsgCaixaAberto = QStringLiteral("Caixa já está aberto.");

    explicit PainelAbrirCaixa(app::TForm1& form);

    void FechamentodeCaixa1Click(); // menu "&Abrir Caixa"
    void BitBtn2Click();            // "Abrir Caixa"
    void BitBtn1Click();            // "Cancelar"

    QWidget* primeiroCampo() const override;

private:
    void criaControles();

    app::TForm1& form_;
    widgets::DBEdit* DBEdit1 = nullptr;
    widgets::DBComboBox* DBComboBox1 = nullptr;
    widgets::DBEdit* DBEdit2 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

} // namespace qor::cash
