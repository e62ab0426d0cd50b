#include "GlyphButton.h"

namespace pulmora::controls {

TDaButton* glyphButton(QWidget* parent, glyphs::Kind kind, const QString& hint, const QSize& size) {
    auto* button = new TDaButton(parent);
    const qreal ratio = parent->devicePixelRatioF();
    const int glyphSize = std::min(size.width(), size.height()) - 8;
    button->setGlyphInactive(glyphs::glyph(kind, glyphs::Look::Inactive, glyphSize, ratio));
    button->setGlyphActive(glyphs::glyph(kind, glyphs::Look::Active, glyphSize, ratio));
    button->setGlyphDisabled(glyphs::glyph(kind, glyphs::Look::Disabled, glyphSize, ratio));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setFixedSize(size);
    return button;
}

}  // namespace pulmora::controls
