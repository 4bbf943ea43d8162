#pragma once

#include "cash/session/GradeDeTotais.h"

namespace qor::cash {

// The closing panel's lines: one per payment form, then "Total".
const QList<LinhaDeTotais>& linhasDoFechamento();
// The payment forms alone (every line but "Total").
QList<LinhaDeTotais> formasDoFechamento();

} // namespace qor::cash
