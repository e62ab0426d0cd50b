#include "TDaPanel.h"

#include "Painting.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPolygon>
#include <QToolTip>

namespace pulmora::controls {

namespace {
const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
constexpr int kMarkerSize = 10;
constexpr int kRoom = 30;  // beside the caption: its left margin, the marker and a gap
}  // namespace

TDaPanel::TDaPanel(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    fitToCaption();
}

void TDaPanel::setCaption(const QString& caption) {
    caption_ = caption;
    setAccessibleName(caption);
    fitToCaption();
    update();
}

void TDaPanel::setPanImage(const QImage& image) {
    image_ = image;
    update();
}

void TDaPanel::setPanState(bool over) {
    state_ = over;
    update();
}

int TDaPanel::captionWidth() const { return QFontMetrics(font()).horizontalAdvance(caption_); }

QString TDaPanel::shownCaption() const {
    return QFontMetrics(font()).elidedText(caption_, Qt::ElideRight, maximumWidth() - kRoom);
}

int TDaPanel::shownWidth() const { return QFontMetrics(font()).horizontalAdvance(shownCaption()); }

void TDaPanel::fitToCaption() {
    resize(shownWidth() + kRoom, height());
    updateGeometry();
}

QSize TDaPanel::sizeHint() const { return {shownWidth() + kRoom, std::max(24, QFontMetrics(font()).height() + 8)}; }

QRect TDaPanel::markerRect() const { return {shownWidth() + 8, 4, kMarkerSize, kMarkerSize}; }

void TDaPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) fitToCaption();
    QWidget::changeEvent(event);
}

bool TDaPanel::event(QEvent* event) {
    // A caption cut short is shown in full, before the banner's own hint.
    if (event->type() == QEvent::ToolTip && shownCaption() != caption_) {
        const QString tip = toolTip().isEmpty() ? caption_ : caption_ + QLatin1Char('\n') + toolTip();
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void TDaPanel::enterEvent(QEnterEvent*) { setPanState(true); }

void TDaPanel::leaveEvent(QEvent*) { setPanState(false); }

void TDaPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void TDaPanel::click() {
    if (isEnabled()) emit clicked();
}

void TDaPanel::keyPressEvent(QKeyEvent* event) {
    if (isClickKey(*event))
        click();
    else
        QWidget::keyPressEvent(event);
}

void TDaPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const QFontMetrics metrics(font());
    const QPoint baseline(4, (height() - metrics.height()) / 2 + metrics.ascent());
    const QColor light = palette().color(QPalette::Light), dark = palette().color(QPalette::Dark);
    const QString shown = shownCaption();
    drawEmbossedText(painter, baseline, shown, light, {-1, -1}, dark, {1, 1});
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(baseline, shown);

    // Pointing left while the pointer is away, down while it is over the banner.
    const QRect m = markerRect();
    const QPolygon marker =
        state_ ? QPolygon({m.topLeft(), QPoint(m.right(), m.top()), QPoint(m.center().x(), m.bottom())})
               : QPolygon({QPoint(m.right(), m.top()), m.bottomRight(), QPoint(m.left(), m.center().y())});
    painter.setPen(light);
    painter.setBrush(light);
    painter.drawPolygon(marker.translated(1, 1));
    painter.setPen(dark);
    painter.setBrush(dark);
    painter.drawPolygon(marker.translated(-1, -1));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(state_ ? kRed : kNavy);
    painter.drawPolygon(marker);
    drawFocusFrame(painter, *this);
}

}  // namespace pulmora::controls
