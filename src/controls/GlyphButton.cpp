#include "GlyphButton.h"

#include <QEvent>

namespace pulmora::controls {
namespace {

// Keeps a button's glyphs readable on what it is drawn on: they are drawn again in an ink that
// stands out from its background whenever its palette changes (a dark desktop, a window of a
// colour of its own, a face given to the button).
class GlyphInk : public QObject {
public:
    GlyphInk(TDaButton* button, glyphs::Kind kind, int size)
        : QObject(button), button_(button), kind_(kind), size_(size) {
        paint();
        button->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == button_ && event->type() == QEvent::PaletteChange) paint();
        return false;
    }

private:
    void paint() {
        const QColor background = button_->palette().color(button_->backgroundRole());
        const qreal ratio = button_->devicePixelRatioF();
        button_->setGlyphInactive(glyphs::glyph(kind_, glyphs::Look::Inactive, size_, ratio, background));
        button_->setGlyphActive(glyphs::glyph(kind_, glyphs::Look::Active, size_, ratio, background));
        button_->setGlyphDisabled(glyphs::glyph(kind_, glyphs::Look::Disabled, size_, ratio, background));
    }

    TDaButton* button_;
    glyphs::Kind kind_;
    int size_;
};

}  // namespace

TDaButton* glyphButton(QWidget* parent, glyphs::Kind kind, const QString& hint, const QSize& size) {
    auto* button = new TDaButton(parent);
    new GlyphInk(button, kind, std::min(size.width(), size.height()) - 8);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setFixedSize(size);
    return button;
}

}  // namespace pulmora::controls
