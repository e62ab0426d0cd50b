#include "Transparency.h"

namespace pulmora::controls {

QImage withTransparentKey(const QImage& picture, const QColor& key) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = key.rgb() & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == keyRgb) line[x] = 0;
    }
    image.setDevicePixelRatio(picture.devicePixelRatio());
    return image;
}

}  // namespace pulmora::controls
