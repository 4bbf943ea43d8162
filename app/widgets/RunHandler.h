#pragma once

#include "app/state/MessageBoxes.h"

#include <QObject>

#include <functional>

namespace qor::app {

// Runs one handler of the user interface. An error it does not catch itself
// ends it where it happened and reaches the one unexpected-error display;
// the program goes on. Returns false when the handler ended that way.
bool runHandler(MessageBoxes& boxes, const std::function<void()>& handler);

// Connects a signal to a handler run through runHandler, so no exception
// ever unwinds into Qt's event dispatch.
template <typename Sender, typename Signal>
QMetaObject::Connection connectHandler(Sender* sender, Signal signal, QObject* context, MessageBoxes& boxes,
                                       std::function<void()> handler)
{
    return QObject::connect(sender, signal, context,
                            [&boxes, handler = std::move(handler)] { runHandler(boxes, handler); });
}

} // namespace qor::app
