#include "TDaPanel.h"

#include "Painting.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPolygon>

namespace pulmora::controls {

namespace {
const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
constexpr int kMarkerSize = 10;
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

void TDaPanel::fitToCaption() {
    resize(captionWidth() + 30, height());
    updateGeometry();
}

QSize TDaPanel::sizeHint() const { return {captionWidth() + 30, std::max(24, QFontMetrics(font()).height() + 8)}; }

QRect TDaPanel::markerRect() const { return {captionWidth() + 8, 4, kMarkerSize, kMarkerSize}; }

void TDaPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) fitToCaption();
    QWidget::changeEvent(event);
}

void TDaPanel::enterEvent(QEnterEvent*) { setPanState(true); }

void TDaPanel::leaveEvent(QEvent*) { setPanState(false); }

void TDaPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void TDaPanel::keyPressEvent(QKeyEvent* event) {
    if (isClickKey(*event))
        emit clicked();
    else
        QWidget::keyPressEvent(event);
}

void TDaPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const QFontMetrics metrics(font());
    const QPoint baseline(4, (height() - metrics.height()) / 2 + metrics.ascent());
    const QColor light = palette().color(QPalette::Light), dark = palette().color(QPalette::Dark);
    drawEmbossedText(painter, baseline, caption_, light, {-1, -1}, dark, {1, 1});
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(baseline, caption_);

    // Pointing left while the pointer is away, down while it is over the banner.
    const QRect m = markerRect();
    const QPolygon marker = state_ ? QPolygon({m.topLeft(), QPoint(m.right(), m.top()), QPoint(m.center().x(), m.bottom())})
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
