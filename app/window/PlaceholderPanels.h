#pragma once

#include "app/window/Painel.h"

#include <QStringList>

namespace qor::app {

// The seven panels of the main window, in the order they are stacked.
QStringList nomesDosPaineis();
QString tituloDoPainel(const QString& name);

// Stands in for a panel whose work is still to come: named and titled, and
// holding the controls that the window's start-up steps, the identification
// gate and the Enter-key rule reach by name. TForm1::installPanel replaces
// it by the real panel of the same name.
class PainelProvisorio final : public Painel {
    Q_OBJECT
public:
    PainelProvisorio(const QString& name, QWidget* parent);
};

} // namespace qor::app
