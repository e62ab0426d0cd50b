#include "SpinEntry.h"

#include "Painting.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>

namespace pulmora::controls {

SpinEntry::SpinEntry(QWidget* parent) : QWidget(parent) {
    resize(20, 20);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    growToFont();
}

void SpinEntry::setNoValue(int value) {
    finishTyping();
    storeValue(value);
}

void SpinEntry::storeValue(int value) { holdValue(value < min_ ? min_ : value > max_ ? max_ : value); }

void SpinEntry::setMinValue(int value) {
    if (max_ < value) max_ = value;
    min_ = value;
    holdValue(std::max(value_, value));
}

void SpinEntry::setMaxValue(int value) {
    if (min_ > value) min_ = value;
    max_ = value;
    holdValue(std::min(value_, value));
}

void SpinEntry::holdValue(int value) {
    const bool changed = value != value_;
    value_ = value;
    update();
    if (changed) {
        QAccessibleValueChangeEvent event(this, value_);
        QAccessible::updateAccessibility(&event);
    }
}

void SpinEntry::enter(int value) { change(value, value >= value_ ? Qt::LeftButton : Qt::RightButton); }

void SpinEntry::step(int direction) {
    change(value_ + direction * keyStep(), direction > 0 ? Qt::LeftButton : Qt::RightButton);
}

// The cards treat a key or an entered value like a click with the matching mouse button.
void SpinEntry::change(int value, Qt::MouseButton as) {
    setNoValue(value);
    emit mouseReleased(as);
}

void SpinEntry::press(Qt::MouseButton button, int x) {
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    emit mousePressed(button);
    const int step = stepAt(x);
    setNoValue(button == Qt::LeftButton ? value_ + step : value_ - step);
}

void SpinEntry::mousePressEvent(QMouseEvent* event) { press(event->button(), int(event->position().x())); }

// The second press of a quick double click is an ordinary press: it changes the value again.
void SpinEntry::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void SpinEntry::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button());
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void SpinEntry::keyPressEvent(QKeyEvent* event) {
    int delta = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Plus: delta = 1; break;
    case Qt::Key_Down:
    case Qt::Key_Minus: delta = -1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    step(delta);
}

void SpinEntry::enterEvent(QEnterEvent*) {
    over_ = true;
    update();
}

void SpinEntry::leaveEvent(QEvent*) {
    over_ = false;
    update();
}

void SpinEntry::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) growToFont();
    QWidget::changeEvent(event);
}

void SpinEntry::growToFont() {
    const QFontMetrics metrics(font());
    if (height() < metrics.boundingRect(QStringLiteral("W")).height() + 8)
        resize(width(), metrics.boundingRect(QStringLiteral("w")).height() + 10);
}

void SpinEntry::paintCell(QPainter& painter, const QRect& cell, const QString& text) const {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(cell, 5, 5);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(cell, Qt::AlignCenter, text);
}

// Drawn on its parent's own background: no block of button face around the cells. The palette's
// current group gives the disabled look when the entry is disabled.
void SpinEntry::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintCells(painter);
    if (over_ && frame_ && isEnabled()) drawDottedFrame(painter, rect(), palette().color(QPalette::Highlight));
    drawFocusFrame(painter, *this);
}

}  // namespace pulmora::controls
