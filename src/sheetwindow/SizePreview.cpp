#include "SizePreview.h"

#include "controls/Painting.h"
#include "stats/Figures.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace pulmora::sheet {
namespace {

// The nearest pixel to the given quarters of an extent.
int quarters(int count, int extent) { return stats::RoundHalfEven(qint64(count) * extent, 4); }

}  // namespace

SizePreview::SizePreview(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSize);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName("Print size");
}

void SizePreview::setAutomatic(bool automatic) {
    choice_.automatic = automatic;
    update();
    emit choiceChanged();
}

int SizePreview::quartersAt(int position, int extent) {
    if (position < quarters(2, extent)) return 2;
    if (position < quarters(3, extent)) return 3;
    return 4;
}

void SizePreview::DocSizeMouseDown(const QPoint& position) {
    choose(quartersAt(position.x(), width()), quartersAt(position.y(), height()));
}

void SizePreview::choose(int widthQuarters, int heightQuarters) {
    choice_.widthQuarters = std::clamp(widthQuarters, 2, 4);
    choice_.heightQuarters = std::clamp(heightQuarters, 2, 4);
    update();
    emit choiceChanged();
}

// While the size is chosen automatically the preview shows no share to change, so the arrows
// are left to the window.
void SizePreview::keyPressEvent(QKeyEvent* event) {
    const int w = choice_.widthQuarters, h = choice_.heightQuarters;
    const bool arrow = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right || event->key() == Qt::Key_Up ||
                       event->key() == Qt::Key_Down;
    if (choice_.automatic || !arrow || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: choose(w - 1, h); break;
    case Qt::Key_Right: choose(w + 1, h); break;
    case Qt::Key_Up: choose(w, h - 1); break;
    case Qt::Key_Down: choose(w, h + 1); break;
    }
}

void SizePreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) DocSizeMouseDown(event->position().toPoint());
}

void SizePreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    const QFontMetrics metrics = fontMetrics();
    const int th = metrics.height();
    auto text = [&](int x, int y, const QString& s) { p.drawText(QPoint(x, y + metrics.ascent()), s); };
    p.setPen(Qt::black);
    if (choice_.automatic) {
        p.fillRect(rect(), QColor(0, 0, 128));
        p.fillRect(rect().adjusted(1, 1, -1, -1), Qt::white);
        text(5, th, "Print size will");
        text(5, 2 * th, "be automatically");
        text(5, 3 * th, "decided for you.");
        controls::drawFocusFrame(p, *this);
        return;
    }
    p.fillRect(rect(), QColor(128, 128, 128));
    p.fillRect(QRect(0, 0, quarters(choice_.widthQuarters, w), quarters(choice_.heightQuarters, h)), Qt::white);
    for (const int x : {quarters(2, w), quarters(3, w)}) p.fillRect(QRect(x, 0, 1, h), Qt::black);
    for (const int y : {quarters(2, h), quarters(3, h)}) p.fillRect(QRect(0, y, w, 1), Qt::black);
    QFont underlined = font();
    underlined.setUnderline(true);
    p.setFont(underlined);
    text(3, 3, "Manual");
    p.setFont(font());
    if (choice_.widthQuarters == 2 && choice_.heightQuarters == 2) {
        text(3, th + 8, "Filofax");
    } else {
        text(3, th + 8, QStringLiteral("w:%1%").arg(choice_.widthQuarters));
        text(3, 2 * th + 8, QStringLiteral("h:%1%").arg(choice_.heightQuarters));
    }
    controls::drawFocusFrame(p, *this);
}

}  // namespace pulmora::sheet
