#pragma once

#include "data/local/DataSet.h"

#include <QString>

#include <optional>

namespace qor::paradox {

// The kind of the local tables' field that a Paradox field kind (pxlib's
// pxfAlpha, pxfLong, ...) carries without loss: alpha is text, long integer
// is integer, number is float, date and time are themselves. Every other
// Paradox kind has none.
std::optional<data::FieldKind> tableKind(int paradoxType);

// Names for messages: "Alfanumérico", "Inteiro longo", "Monetário", ...
QString paradoxKindName(int paradoxType);
QString tableKindName(data::FieldKind kind);

} // namespace qor::paradox
