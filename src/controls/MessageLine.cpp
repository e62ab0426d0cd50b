#include "MessageLine.h"

#include "AccessibleControls.h"

#include <QHelpEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolTip>

#include <cmath>

namespace pulmora::controls {
namespace {

constexpr int kPadding = 4;  // between the frame and the text, on either side

}  // namespace

MessageLine::MessageLine(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    markAsMessageLine(*this);
}

void markAsMessageLine(QLabel& label) { setAccessibleRole(label, QAccessible::AlertMessage); }

// Measured to the fraction of a pixel and rounded up: a text measured a pixel short would be cut
// short with "…" in the room asked for it.
int MessageLine::textWidth() const {
    return int(std::ceil(QFontMetricsF(font()).horizontalAdvance(text()))) + 2 * (frameWidth() + kPadding);
}

int MessageLine::widestWanted() const {
    const QScreen* where = screen();
    return where ? where->availableGeometry().width() * 3 / 4 : 640;
}

QSize MessageLine::minimumSizeHint() const {
    const int height = fontMetrics().height() + 2 * (frameWidth() + kPadding);
    return {std::min(textWidth(), widestWanted()), height};
}

QSize MessageLine::sizeHint() const { return minimumSizeHint(); }

bool MessageLine::isElided() const { return textWidth() > width(); }

void MessageLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(kPadding, 0, -kPadding, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     isElided() ? fontMetrics().elidedText(text(), Qt::ElideRight, area.width()) : text());
}

bool MessageLine::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && isElided()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

}  // namespace pulmora::controls
