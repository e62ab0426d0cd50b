#include "TDaSwitch.h"

#include "Painting.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>

namespace pulmora::controls {

TDaSwitch::TDaSwitch(QWidget* parent) : QWidget(parent) {
    resize(20, 20);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void TDaSwitch::setBtnImage(const QImage& strip) {
    image_ = strip;
    transparent_ = withTransparentKey(strip, kOlive);
    disabled_ = disabledLook(transparent_);
    update();
}

// The picture greyed and lightened, as disabled pictures look; its transparent parts stay so.
QImage TDaSwitch::disabledLook(const QImage& picture) {
    QImage grey = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int light = 128 + qGray(line[x]) / 2;
            line[x] = qRgba(light, light, light, qAlpha(line[x]));
        }
    }
    grey.setDevicePixelRatio(picture.devicePixelRatio());
    return grey;
}

void TDaSwitch::setBtnState(bool on) {
    const bool changed = on != state_;
    state_ = on;
    update();
    if (changed) {
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent event(this, checked);
        QAccessible::updateAccessibility(&event);
    }
}

void TDaSwitch::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TDaSwitch::turnGroupOff() {
    if (group_ <= 0 || !parentWidget()) return;
    for (auto* other : parentWidget()->findChildren<TDaSwitch*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->group_ == group_) other->setBtnState(false);
}

void TDaSwitch::SetGroupState(bool on) {
    turnGroupOff();
    setBtnState(on);
}

void TDaSwitch::click() {
    turnGroupOff();
    setBtnState(!state_);
    emit clicked();
}

void TDaSwitch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) click();
}

void TDaSwitch::keyPressEvent(QKeyEvent* event) {
    if (isClickKey(*event))
        click();
    else
        QWidget::keyPressEvent(event);
}

void TDaSwitch::enterEvent(QEnterEvent*) {
    over_ = true;
    update();
}

void TDaSwitch::leaveEvent(QEvent*) {
    over_ = false;
    update();
}

// Drawn on its parent's own background, greyed while disabled.
void TDaSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& strip = isEnabled() ? transparent_ : disabled_;
    const qreal ratio = strip.devicePixelRatio();
    const int half = strip.width() / 2;
    const QRect source(state_ ? half : 0, 0, half, strip.height());
    const QSize picture = (QSizeF(source.size()) / ratio).toSize();
    const QFontMetrics metrics(font());
    const int captionHeight = caption_.isEmpty() ? 0 : metrics.height();
    const int block = picture.height() + (caption_.isEmpty() ? 0 : 6 + captionHeight);
    const int top = (height() - block) / 2;
    if (!strip.isNull()) painter.drawImage(QRect(QPoint((width() - picture.width()) / 2, top), picture), strip, source);
    if (!caption_.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, top + picture.height() + 6, width(), captionHeight), Qt::AlignHCenter, caption_);
    }
    if (over_ && isEnabled()) drawDottedFrame(painter, rect(), palette().color(QPalette::Highlight));
    drawFocusFrame(painter, *this);
}

}  // namespace pulmora::controls
