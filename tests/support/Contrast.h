#pragma once

#include "controls/Contrast.h"
#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace pulmora::test {

// A dark desktop palette, as dark themes and high-contrast desktops set it.
inline QPalette darkPalette() {
    QPalette p;
    const QColor window(45, 45, 45), base(25, 25, 25), light(235, 235, 235);
    for (const auto& [role, colour] : {std::pair{QPalette::Window, window}, {QPalette::WindowText, light},
                                       {QPalette::Base, base}, {QPalette::AlternateBase, window},
                                       {QPalette::Text, light}, {QPalette::Button, QColor(60, 60, 60)},
                                       {QPalette::ButtonText, light}, {QPalette::Light, QColor(90, 90, 90)},
                                       {QPalette::Midlight, QColor(75, 75, 75)}, {QPalette::Mid, QColor(40, 40, 40)},
                                       {QPalette::Dark, QColor(20, 20, 20)}, {QPalette::Shadow, Qt::black},
                                       {QPalette::Highlight, QColor(80, 160, 255)},
                                       {QPalette::HighlightedText, Qt::black}, {QPalette::ToolTipBase, base},
                                       {QPalette::ToolTipText, light}, {QPalette::PlaceholderText, QColor(160, 160, 160)}})
        p.setColor(role, colour);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 130, 130));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 130, 130));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 130, 130));
    return p;
}

// The desktop's palette for as long as it lives.
class DesktopPalette {
public:
    explicit DesktopPalette(const QPalette& palette) : before_(QApplication::palette()) { QApplication::setPalette(palette); }
    ~DesktopPalette() { QApplication::setPalette(before_); }
    DesktopPalette(const DesktopPalette&) = delete;
    DesktopPalette& operator=(const DesktopPalette&) = delete;

private:
    QPalette before_;
};

// How far the ink of a picture of one text or glyph stands out from its ground: the colour
// most of its pixels have is the ground, and the ink is the pixel that differs most from it.
// Edges smoothed into the ground never count for more than the ink itself.
inline double inkContrast(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
    QRgb ground = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) most = it.value(), ground = it.key();
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, controls::contrastRatio(QColor(it.key()), QColor(ground)));
    return best;
}

// The contrast of a control as it shows in its window, drawn over what is behind it.
inline double inkContrast(QWidget* control) {
    QWidget* window = control->window();
    const QImage shown = window->grab().toImage();
    const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
    return inkContrast(shown.copy(QRect(place.topLeft() * shown.devicePixelRatio(), place.size() * shown.devicePixelRatio())));
}

// Every text and glyph of a window that reads on what it stands on: the labels with a text and
// the picture buttons as they show, the entries' digits on their cells.
inline void expectReadable(QWidget& window, const char* where) {
    QList<QWidget*> controls;
    for (QLabel* label : window.findChildren<QLabel*>())
        if (!label->text().isEmpty()) controls << label;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (qobject_cast<controls::TDaButton*>(control)) controls << control;
        if (qobject_cast<controls::TDaNumber*>(control) || qobject_cast<controls::TDaSingle*>(control)) {
            EXPECT_GE(controls::contrastRatio(control->palette().color(QPalette::Text),
                                              control->palette().color(QPalette::Base)),
                      controls::kReadableContrast)
                << where << ": the digits of " << control->objectName().toStdString();
        }
    }
    for (QWidget* control : controls) {
        if (!control->isVisibleTo(&window)) continue;
        EXPECT_GE(inkContrast(control), controls::kReadableContrast)
            << where << ": " << control->metaObject()->className() << " " << control->objectName().toStdString()
            << " " << control->toolTip().toStdString() << " " << control->accessibleName().toStdString();
    }
}

}  // namespace pulmora::test
