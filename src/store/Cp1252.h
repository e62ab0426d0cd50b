#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// The record files hold text as Windows-1252, one byte a character, so field widths count
// characters and files shared with other xBase tools read alike.
namespace pulmora::store::cp1252 {

// The bytes for the text, or nothing when a character has no place in Windows-1252 (or is a
// control character, which no field holds).
std::optional<std::string> encode(const QString& text);
bool canEncode(const QString& text);
// The first character of `text` that cannot be stored; empty when all can.
QString firstUnstorable(const QString& text);
QString decode(std::string_view bytes);
// The bytes of a text that was checked with canEncode or came from decode: unlike encode it
// keeps control characters read from a file, so a value read and written back is unchanged.
std::string encodeRead(const QString& text);

}  // namespace pulmora::store::cp1252
