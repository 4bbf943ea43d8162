#include "app/window/Captions.h"

namespace qor::app {

QString captionInicial() { return QStringLiteral(" QOR CAIXA"); }

QString captionCaixaAberto(const QString& nomeOperador)
{
    return QStringLiteral(" QOR CAIXA - Caixa Aberto. Operador: ") + nomeOperador;
}

QString captionIdentificado(const QString& nomeOperador, const QString& codigoEstacao)
{
    return QStringLiteral("  CAD. DE VEÍCULOS / BASES  -  Usuário: \"") + nomeOperador +
           QStringLiteral("\"   Estação: ") + codigoEstacao;
}

QString captionCaixaFechado() { return QStringLiteral("QOR CAIXA - Caixa Fechado"); }

} // namespace qor::app
