#include "app/state/AppState.h"

namespace qor::app {

AppState::AppState()
{
    for (int i = 0; i < kMaxDestinos; ++i)
        ListaDestinos << QString();
}

} // namespace qor::app
