#pragma once

#include "app/window/Painel.h"

#include <QList>

#include <functional>

class QLineEdit;
class QPushButton;

namespace qor::app {
class TForm1;
}

namespace qor::cash {

// The blind count at closing: one amount per payment form of the closing
// panel, typed before the operator sees what the session expects.
// "Confirmar Contagem" hands the amounts on (a blank field counts 0);
// "Cancelar" closes the panel and nothing is kept.
class PainelContagem final : public app::Painel {
    Q_OBJECT
public:
    static inline const QString kMsgValorInvalido = QStringLiteral("Valor inválido na contagem de %1.");

    PainelContagem(app::TForm1& form, std::function<void(const QList<double>&)> aoConfirmar);

    // Clears the amounts and shows the panel on the first one.
    void abre();
    void btnConfirmaContagemClick(); // "Confirmar Contagem"
    void btnCancelaContagemClick();  // "Cancelar"

    QWidget* primeiroCampo() const override;

private:
    void criaControles();

    app::TForm1& form_;
    std::function<void(const QList<double>&)> aoConfirmar_;
    QList<QLineEdit*> campos_;
    QPushButton* btnCancelaContagem = nullptr;
    QPushButton* btnConfirmaContagem = nullptr;
};

} // namespace qor::cash
