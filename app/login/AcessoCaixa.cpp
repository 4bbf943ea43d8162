#include "app/login/AcessoCaixa.h"

#include "data/base/Error.h"
#include "data/base/Text.h"

#include <optional>

namespace qor::app {

static std::optional<int> codeOf(QChar c)
{
    try {
        return static_cast<unsigned char>(text::toWin1252(QString(c)).at(0));
    } catch (const Error& e) {
        if (!e.is(kind::Encoding))
            throw;
        return std::nullopt;
    }
}

bool temAcessoAoCaixa(const QString& acesso, const QString& typedName)
{
    constexpr int kPosicaoCaixa = 10; // the 11th character
    if (acesso.size() <= kPosicaoCaixa || typedName.isEmpty())
        return false;
    const auto right = codeOf(acesso.at(kPosicaoCaixa));
    const auto first = codeOf(typedName.at(0));
    return right && first && (*right - 12 + 256) % 256 == *first;
}

} // namespace qor::app
