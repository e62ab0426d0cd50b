#include "TDaButton.h"

#include "Painting.h"

#include <QKeyEvent>
#include <QPainter>

namespace pulmora::controls {

namespace {
constexpr int kGap = 2;  // between glyph and caption
}

TDaButton::TDaButton(QWidget* parent) : QWidget(parent), transparentColour_(kOlive) {
    resize(50, 40);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void TDaButton::setCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    activeCaption_ = false;
    update();
}

void TDaButton::setGlyph(int which, const QImage& glyph) {
    glyphs_[which] = glyph;
    drawn_[which] = glyph.isNull() ? QImage() : withTransparentKey(glyph, transparentColour_);
    update();
}

void TDaButton::setPosition(GlyphPosition position) {
    if (position == position_) return;
    position_ = position;
    update();
}

void TDaButton::setTransparentColor(const QColor& colour) {
    if (colour == transparentColour_) return;
    transparentColour_ = colour;
    for (int i = 0; i < 3; ++i) setGlyph(i, glyphs_[i]);
}

void TDaButton::setActiveFontColor(const QColor& colour) {
    if (colour == activeColour_) return;
    activeColour_ = colour;
    update();
}

void TDaButton::setInactiveFontColor(const QColor& colour) {
    if (colour == inactiveColour_) return;
    inactiveColour_ = colour;
    update();
}

void TDaButton::moveTo(MouseState state) {
    state_ = state;
    activeCaption_ = state == MouseState::Hot || state == MouseState::Pressed;
    update();
}

void TDaButton::enterEvent(QEnterEvent*) {
    if (state_ != MouseState::Idle) return;
    emit mouseEntered();
    moveTo(MouseState::Hot);
}

void TDaButton::leaveEvent(QEvent*) {
    if (state_ != MouseState::Hot) return;
    emit mouseExited();
    moveTo(MouseState::Idle);
}

void TDaButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) moveTo(MouseState::Pressed);
}

void TDaButton::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (state_ == MouseState::Pressed && !inside)
        moveTo(MouseState::PressedOutside);
    else if (state_ == MouseState::PressedOutside && inside)
        moveTo(MouseState::Pressed);
}

void TDaButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    moveTo(MouseState::Idle);
    if (rect().contains(event->position().toPoint())) emit clicked();
}

void TDaButton::click() {
    if (isEnabled()) emit clicked();
}

void TDaButton::keyPressEvent(QKeyEvent* event) {
    if (isClickKey(*event))
        click();
    else
        QWidget::keyPressEvent(event);
}

void TDaButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) update();
    QWidget::changeEvent(event);
}

const QImage& TDaButton::glyphToDraw() const {
    if (!isEnabled() && !drawn_[2].isNull()) return drawn_[2];
    const bool active =
        state_ == MouseState::Hot || state_ == MouseState::Pressed || state_ == MouseState::PressedOutside;
    if (active && !drawn_[1].isNull()) return drawn_[1];
    return drawn_[0];
}

QColor TDaButton::captionColour() const {
    const QColor chosen = activeCaption_ ? activeColour_ : inactiveColour_;
    return chosen.isValid() ? chosen : palette().color(QPalette::ButtonText);
}

// Drawn on its parent's own background.
void TDaButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);

    const QImage& glyph = glyphToDraw();
    const QSize glyphSize = glyph.isNull() ? QSize() : (QSizeF(glyph.size()) / glyph.devicePixelRatio()).toSize();
    const QFontMetrics metrics(font());
    const QSize text = caption_.isEmpty() ? QSize() : QSize(metrics.horizontalAdvance(caption_), metrics.height());
    const bool vertical = position_ == GlyphPosition::bsTop || position_ == GlyphPosition::bsBottom;
    const int gap = glyph.isNull() || caption_.isEmpty() ? 0 : kGap;
    const QSize block =
        vertical ? QSize(std::max(glyphSize.width(), text.width()), glyphSize.height() + gap + text.height())
                 : QSize(glyphSize.width() + gap + text.width(), std::max(glyphSize.height(), text.height()));
    QPoint origin((width() - block.width()) / 2, (height() - block.height()) / 2);
    if (state_ == MouseState::Pressed) origin += QPoint(1, 1);

    QRect glyphRect(origin, glyphSize), textRect(origin, text);
    switch (position_) {
    case GlyphPosition::bsTop:
        glyphRect.moveLeft(origin.x() + (block.width() - glyphSize.width()) / 2);
        textRect.moveTopLeft({origin.x() + (block.width() - text.width()) / 2, origin.y() + glyphSize.height() + gap});
        break;
    case GlyphPosition::bsBottom:
        textRect.moveLeft(origin.x() + (block.width() - text.width()) / 2);
        glyphRect.moveTopLeft({origin.x() + (block.width() - glyphSize.width()) / 2, origin.y() + text.height() + gap});
        break;
    case GlyphPosition::bsLeft:
        glyphRect.moveTop(origin.y() + (block.height() - glyphSize.height()) / 2);
        textRect.moveTopLeft({origin.x() + glyphSize.width() + gap, origin.y() + (block.height() - text.height()) / 2});
        break;
    case GlyphPosition::bsRight:
        textRect.moveTop(origin.y() + (block.height() - text.height()) / 2);
        glyphRect.moveTopLeft(
            {origin.x() + text.width() + gap, origin.y() + (block.height() - glyphSize.height()) / 2});
        break;
    }
    if (!glyph.isNull()) painter.drawImage(glyphRect, glyph);
    if (!caption_.isEmpty()) {
        painter.setFont(font());
        const QPoint baseline(textRect.left(), textRect.top() + metrics.ascent());
        if (isEnabled()) {
            painter.setPen(captionColour());
            painter.drawText(baseline, caption_);
        } else {
            drawEmbossedText(painter, baseline, caption_, palette().color(QPalette::Dark), {0, 0},
                             palette().color(QPalette::Light), {1, 1});
        }
    }
    drawFocusFrame(painter, *this);
}

}  // namespace pulmora::controls
