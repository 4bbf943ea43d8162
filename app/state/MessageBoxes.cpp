#include "app/state/MessageBoxes.h"

#include "data/base/Error.h"

namespace qor::app {

void MessageBoxes::message(const QString& text)
{
    show({BoxKind::Plain, kApplicationTitle, text, BoxButtons::Ok});
}

bool MessageBoxes::confirm(const QString& text)
{
    return show({BoxKind::Confirmation, kApplicationTitle, text, BoxButtons::YesNo}) == BoxAnswer::Yes;
}

void MessageBoxes::errorDialog(const QString& text)
{
    show({BoxKind::ErrorDialog, kApplicationTitle, text, BoxButtons::Ok});
}

BoxAnswer MessageBoxes::native(const QString& title, const QString& text, BoxButtons buttons)
{
    return show({BoxKind::Native, title, text, buttons});
}

void MessageBoxes::unexpected(const std::exception& e)
{
    QString kindName = QStringLiteral("std::exception");
    QString text = QString::fromLocal8Bit(e.what());
    if (const auto* err = dynamic_cast<const qor::Error*>(&e)) {
        kindName = err->kind();
        text = err->text();
    }
    message(QStringLiteral("Erro inesperado.\rClasse: ") + kindName + QStringLiteral("\rErro: ") + text);
}

} // namespace qor::app
