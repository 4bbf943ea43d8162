#pragma once

#include "app/state/MessageBoxes.h"

namespace qor::app {

// The message-box seam on screen: QMessageBox, modal over the active window.
// The only code in the program that shows a QMessageBox.
class QtMessageBoxes final : public MessageBoxes {
public:
    BoxAnswer show(const BoxRequest& request) override;

    // "\r" (alone or as "\r\n") is one line break.
    static QString displayText(const QString& text);
};

} // namespace qor::app
