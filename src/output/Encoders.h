#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace pulmora::output {

// A picture file's bytes, or why they could not be made.
struct Encoded {
    QByteArray bytes;
    QString error;
};

// Both take a picture in QImage::Format_RGB888.

// JPEG: quality 100, progressive, integer slow DCT, JFIF header without units at 1 by 1.
Encoded encodeJpeg(const QImage& rgb);
// Windows bitmap, 24 bits a pixel, rows bottom-up, each padded to four bytes.
Encoded encodeBitmap(const QImage& rgb);

}  // namespace pulmora::output
