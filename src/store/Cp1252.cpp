#include "Cp1252.h"

#include <array>

namespace pulmora::store::cp1252 {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. Five of those bytes are unassigned;
// they decode to the code point of the same number so that every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighControls = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<char> byteFor(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F) return std::nullopt;
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return char(u);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        const bool unassigned = kHighControls[i] == char16_t(0x80 + i);
        if (!unassigned && kHighControls[i] == u) return char(0x80 + i);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> encode(const QString& text) {
    std::string bytes;
    bytes.reserve(size_t(text.size()));
    for (QChar c : text) {
        auto b = byteFor(c);
        if (!b) return std::nullopt;
        bytes.push_back(*b);
    }
    return bytes;
}

bool canEncode(const QString& text) { return firstUnstorable(text).isEmpty(); }

QString firstUnstorable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!byteFor(text[i])) {
            // Keep a surrogate pair together so the message shows the whole character.
            const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
            return text.mid(i, pair ? 2 : 1);
        }
    }
    return {};
}

std::string encodeRead(const QString& text) {
    std::string bytes(size_t(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        // ASCII is its own encoding, control characters included.
        const auto b = u < 0x80 ? std::optional<char>(char(u)) : byteFor(text[i]);
        bytes[size_t(i)] = b.value_or('?');
    }
    return bytes;
}

QString decode(std::string_view bytes) {
    // Latin-1 but for 0x80..0x9F, which are put right afterwards.
    QString text = QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u >= 0x80 && u < 0xA0) text[i] = QChar(kHighControls[u - 0x80]);
    }
    return text;
}

}  // namespace pulmora::store::cp1252
