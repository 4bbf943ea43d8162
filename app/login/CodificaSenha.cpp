#include "app/login/CodificaSenha.h"

#include "data/base/Error.h"
#include "data/base/Text.h"

namespace qor::app {

QString CodificaSenha(const QString& text)
{
    const QByteArray bytes = text::toWin1252(text);
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(2 * n);
    // Rotated byte i takes the low 5 bits of byte i and the high 3 of the
    // next (wrapping); the bytes are then written from the last to the first.
    for (qsizetype i = n - 1; i >= 0; --i) {
        const auto here = static_cast<unsigned char>(bytes.at(i));
        const auto next = static_cast<unsigned char>(bytes.at((i + 1) % n));
        const auto rotated = static_cast<unsigned char>((here << 3) | (next >> 5));
        out += QChar(char16_t(u'A' + (rotated >> 4)));
        out += QChar(char16_t(u'A' + (rotated & 0x0F)));
    }
    return out;
}

std::optional<QString> encodeForComparison(const QString& typed, int maxChars)
{
    if (typed.size() > maxChars)
        return std::nullopt;
    try {
        return CodificaSenha(typed);
    } catch (const Error& e) {
        if (!e.is(kind::Encoding))
            throw;
        return std::nullopt;
    }
}

} // namespace qor::app
