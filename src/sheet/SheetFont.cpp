#include "SheetFont.h"

#include <QImage>

namespace pulmora::sheet {

QFont sheetFont(int points) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize((points * 96 + 36) / 72);  // to the nearest pixel
    return font;
}

QFontMetrics measure(const QFont& font) {
    static const QImage ratioOne(1, 1, QImage::Format_RGB32);
    return QFontMetrics(font, &ratioOne);
}

}  // namespace pulmora::sheet
