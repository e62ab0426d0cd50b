#include "Encoders.h"

#include <QtEndian>

#include <cstdint>
#include <limits>

namespace pulmora::output {
namespace {

constexpr int kFileHeaderSize = 14;  // BITMAPFILEHEADER
constexpr int kInfoHeaderSize = 40;  // BITMAPINFOHEADER

void put16(char*& at, std::uint16_t value) {
    qToLittleEndian(value, at);
    at += 2;
}

void put32(char*& at, std::uint32_t value) {
    qToLittleEndian(value, at);
    at += 4;
}

}  // namespace

Encoded encodeBitmap(const QImage& rgb) {
    const std::uint64_t rowBytes = (std::uint64_t(rgb.width()) * 3 + 3) / 4 * 4;
    const std::uint64_t pixelBytes = rowBytes * std::uint64_t(rgb.height());
    const std::uint64_t fileBytes = kFileHeaderSize + kInfoHeaderSize + pixelBytes;
    if (fileBytes > std::numeric_limits<std::int32_t>::max())
        return {{},
                QStringLiteral("A picture of %1 by %2 pixels is too large for a bitmap file")
                    .arg(rgb.width())
                    .arg(rgb.height())};

    QByteArray bytes(qsizetype(fileBytes), '\0');  // row padding stays zero
    char* at = bytes.data();
    put16(at, 0x4D42);  // "BM"
    put32(at, std::uint32_t(fileBytes));
    put32(at, 0);  // reserved
    put32(at, kFileHeaderSize + kInfoHeaderSize);
    put32(at, kInfoHeaderSize);
    put32(at, std::uint32_t(rgb.width()));
    put32(at, std::uint32_t(rgb.height()));  // positive: rows run bottom-up
    put16(at, 1);                            // planes
    put16(at, 24);                           // bits a pixel
    put32(at, 0);                            // no compression
    put32(at, std::uint32_t(pixelBytes));
    put32(at, std::uint32_t(rgb.dotsPerMeterX()));
    put32(at, std::uint32_t(rgb.dotsPerMeterY()));
    put32(at, 0);  // no palette
    put32(at, 0);

    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* source = rgb.constScanLine(rgb.height() - 1 - y);
        char* row = at + std::uint64_t(y) * rowBytes;
        for (size_t x = 0; x < size_t(rgb.width()); ++x) {  // RGB in the picture, BGR in the file
            row[3 * x] = char(source[3 * x + 2]);
            row[3 * x + 1] = char(source[3 * x + 1]);
            row[3 * x + 2] = char(source[3 * x]);
        }
    }
    return {bytes, {}};
}

}  // namespace pulmora::output
