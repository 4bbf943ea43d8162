#pragma once

#include <QString>

#include <optional>

namespace qor::app {

// The suite's encoding of user names and passwords as stored in USUARIOS:
// the text's Windows-1252 bytes read as one big-endian number, rotated left
// by 3 bits within its own width, its bytes reversed, each byte written as
// two letters "A"–"P" (high half first). Two letters per character.
// A character outside code page 1252 raises an Error of kind Encoding.
QString CodificaSenha(const QString& text);

// The encoding of a typed text that is to be compared with a stored one, or
// nothing when it could never match: more than maxChars characters (the
// stored columns hold 15-character names and 6-character passwords) or a
// character the code page cannot hold.
std::optional<QString> encodeForComparison(const QString& typed, int maxChars);

inline constexpr int kMaxNomeUsuario = 15;
inline constexpr int kMaxSenha = 6;

} // namespace qor::app
