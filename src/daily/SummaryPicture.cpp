#include "SummaryPicture.h"

#include "pictures/Pictures.h"
#include "pictures/Transparency.h"
#include "stats/Figures.h"
#include "store/ReportCursors.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace pulmora::daily {
namespace {

namespace pictures = controls::pictures;
using pictures::Arrow;

constexpr int kRowHeight = 20;
constexpr int kPercentRight = 150;

Arrow compare(int now, int before, Arrow higher, Arrow lower) {
    return now > before ? higher : now < before ? lower : Arrow::ImNC;
}

class Painter {
public:
    Painter(QImage& image, const QFont& font, const QPalette& palette)
        : p_(&image), metrics_(font), palette_(palette), width_(int(image.width() / image.devicePixelRatio())),
          ratio_(image.devicePixelRatio()) {
        p_.setFont(font);
        p_.fillRect(QRect(0, 0, width_, int(image.height() / ratio_)), palette.color(QPalette::Button));
        textOffset_ = (kRowHeight - metrics_.boundingRect(QStringLiteral("W")).height()) / 2;
    }
    int width() const { return width_; }

    void row(int left, int top, int right, const QString& label, int labelX) {
        p_.setPen(palette_.color(QPalette::Dark));
        p_.setBrush(palette_.color(QPalette::Base));
        p_.drawRect(QRect(left, top, right - left, kRowHeight));
        text(labelX, top, label);
    }
    void text(int x, int top, const QString& text) {
        p_.setPen(palette_.color(QPalette::Text));
        p_.drawText(QPoint(x, top + textOffset_ + metrics_.ascent()), text);
    }
    void rightAligned(int right, int top, const QString& value) {
        text(right - metrics_.horizontalAdvance(value), top, value);
    }
    void arrow(int rowRight, int top, Arrow kind) {
        const QImage picture = controls::withTransparentKey(pictures::arrow(kind, ratio_), controls::kOlive);
        p_.drawImage(QPoint(rowRight - pictures::kArrowWidth - 14 + 5, top + 5), picture);
    }

private:
    QPainter p_;
    QFontMetrics metrics_;
    const QPalette& palette_;
    int width_;
    qreal ratio_;
    int textOffset_ = 0;
};

}  // namespace

int percentOfBest(int reading, int best) { return best == 0 ? 0 : stats::PercentOfBest(reading, best); }

QImage drawComparison(const QSize& size, const SummaryValues& v, const QFont& font, const QPalette& palette,
                      qreal pixelRatio) {
    QImage image(size * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    Painter p(image, font, palette);
    const store::CompareRecord& c = v.previous;
    const int right = p.width() - 4;

    const struct {
        int top;
        const char* label;
        int reading, previous;
    } readings[] = {{4, "Morning", v.morning, c.morning}, {28, "Evening", v.evening, c.evening}};
    for (const auto& r : readings) {
        p.row(4, r.top, right, r.label, 8);
        if (r.reading != 0 && c.personBest != 0)
            p.rightAligned(kPercentRight, r.top,
                           QStringLiteral("%1% of best").arg(percentOfBest(r.reading, c.personBest)));
        if (r.reading != 0 && r.previous != 0)
            p.arrow(right, r.top, compare(r.reading, r.previous, Arrow::ImUp, Arrow::ImDw));
    }

    const int diurnal = store::diurnalVariation(v.morning, v.evening);
    p.row(4, 52, right, "Diurnal Variation", 8);
    if (diurnal != 0) p.rightAligned(kPercentRight, 52, QStringLiteral("%1%").arg(diurnal));
    if (v.morning != 0 && v.evening != 0 && c.morning != 0 && c.evening != 0)
        p.arrow(right, 52, compare(diurnal, c.diurnal, Arrow::OthUp, Arrow::OthDw));

    const int half = p.width() / 2;
    p.row(4, 80, half - 4, "Day", 8);
    p.arrow(half - 4, 80, compare(v.daySymptoms, c.daySymptoms, Arrow::OthUp, Arrow::OthDw));
    p.row(half, 80, right, "Night", half + 8);
    p.arrow(right, 80, compare(v.nightSymptoms, c.nightSymptoms, Arrow::OthUp, Arrow::OthDw));

    p.row(4, 108, right, "Reliever", 8);
    p.arrow(right, 108, compare(v.relievers, c.relievers, Arrow::OthUp, Arrow::OthDw));
    return image;
}

}  // namespace pulmora::daily
