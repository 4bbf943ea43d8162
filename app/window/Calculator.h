#pragma once

#include <functional>

namespace qor::app {

// Starts the system calculator with a normal window, without waiting for it.
using CalculatorLauncher = std::function<void()>;

// "Calc.Exe" on Windows; elsewhere the first desktop calculator found on the
// PATH. Nothing happens when there is none.
CalculatorLauncher systemCalculator();

} // namespace qor::app
