#pragma once

#include <QString>

namespace qor::app {

// The right to use the cash program: the 11th character of ACESSO is the
// first character of the typed name moved up by 12 code points (Windows-1252
// codes, modulo 256). An ACESSO shorter than 11 characters grants nothing.
bool temAcessoAoCaixa(const QString& acesso, const QString& typedName);

} // namespace qor::app
