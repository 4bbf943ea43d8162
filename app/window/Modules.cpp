#include "app/window/Modules.h"

namespace qor::app {

StandInDataModule::StandInDataModule(QObject* parent) : QObject(parent), qryClose_(QStringLiteral("QORFDADOS"))
{
    setObjectName(QStringLiteral("DM"));
    qryClose_.setObjectName(QStringLiteral("qryClose"));
}

} // namespace qor::app
