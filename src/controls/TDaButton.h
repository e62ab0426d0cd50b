#pragma once

#include <QImage>
#include <QWidget>

namespace pulmora::controls {

// A command button drawn from pictures: a resting glyph, a glyph while the pointer is over it
// or it is pressed, and a glyph while it is disabled, with an optional caption beside it.
class TDaButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
    enum class GlyphPosition { bsTop, bsBottom, bsLeft, bsRight };
    enum class MouseState { Idle, Hot, Pressed, PressedOutside };

    explicit TDaButton(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    const QImage& GlyphInactive() const { return glyphs_[0]; }
    const QImage& GlyphActive() const { return glyphs_[1]; }
    const QImage& GlyphDisabled() const { return glyphs_[2]; }
    void setGlyphInactive(const QImage& glyph) { setGlyph(0, glyph); }
    void setGlyphActive(const QImage& glyph) { setGlyph(1, glyph); }
    void setGlyphDisabled(const QImage& glyph) { setGlyph(2, glyph); }
    GlyphPosition Position() const { return position_; }
    void setPosition(GlyphPosition position);
    QColor TransparentColor() const { return transparentColour_; }
    void setTransparentColor(const QColor& colour);
    // An invalid colour means the palette's button text.
    QColor ActiveFontColor() const { return activeColour_; }
    void setActiveFontColor(const QColor& colour);
    QColor InactiveFontColor() const { return inactiveColour_; }
    void setInactiveFontColor(const QColor& colour);

    // As a click does: raises clicked, unless the button is disabled.
    void click();

    MouseState mouseState() const { return state_; }
    QSize sizeHint() const override { return {50, 40}; }

signals:
    void clicked();
    void mouseEntered();
    void mouseExited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setGlyph(int which, const QImage& glyph);
    void moveTo(MouseState state);
    const QImage& glyphToDraw() const;
    QColor captionColour() const;

    QString caption_;
    QImage glyphs_[3];
    QImage drawn_[3];  // the glyphs with the transparent colour taken out
    GlyphPosition position_ = GlyphPosition::bsTop;
    QColor transparentColour_;
    QColor activeColour_;
    QColor inactiveColour_;
    MouseState state_ = MouseState::Idle;
    bool activeCaption_ = false;
};

}  // namespace pulmora::controls
