#pragma once

#include <QString>

namespace qor::app {

// The main window's caption, which always shows the state of the till.
QString captionInicial();                                          // at creation
QString captionCaixaAberto(const QString& nomeOperador);           // session open
QString captionIdentificado(const QString& nomeOperador, const QString& codigoEstacao); // after identification
QString captionCaixaFechado();                                     // session closed

} // namespace qor::app
