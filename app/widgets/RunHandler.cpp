#include "app/widgets/RunHandler.h"

#include <stdexcept>

namespace qor::app {

bool runHandler(MessageBoxes& boxes, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        boxes.unexpected(e);
    } catch (...) {
        boxes.unexpected(std::runtime_error("erro desconhecido"));
    }
    return false;
}

} // namespace qor::app
