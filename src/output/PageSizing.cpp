#include "PageSizing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>

#include <algorithm>

namespace pulmora::output {

ScreenLetter ScreenLetter::measure(const QFontMetrics& metrics) {
    return {metrics.horizontalAdvance(QLatin1Char('H')), metrics.height()};
}

PrinterGauge PrinterGauge::measure(const QPagedPaintDevice& printer) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    const QFontMetrics metrics(font, &printer);
    const QRect room = printer.pageLayout().paintRectPixels(printer.logicalDpiX());
    return {metrics.horizontalAdvance(QLatin1Char('H')), metrics.lineSpacing(),
            QSize(int(room.width()), int(room.height())), printer.logicalDpiX(), printer.logicalDpiY()};
}

Extent Extent::scaled() { return Extent(Kind::Scaled, 0); }
Extent Extent::inches(double length) { return Extent(Kind::Inches, length); }
Extent Extent::ofPrintable(double share) { return Extent(Kind::Printable, share); }

Extent Extent::atMostInches(double cap) const {
    Extent capped = *this;
    capped.capInches_ = cap;
    return capped;
}

int Extent::resolve(double scaledPixels, int printablePixels, int dpi) const {
    double length = scaledPixels;
    if (kind_ == Kind::Inches) length = value_ * dpi;
    if (kind_ == Kind::Printable) length = value_ * printablePixels;
    if (capInches_) length = std::min(length, *capInches_ * dpi);
    return int(std::min(length, double(printablePixels)));  // printer pixels truncate
}

QString Extent::fault() const {
    if (kind_ != Kind::Scaled && !(value_ > 0)) return QStringLiteral("a printed length of %1").arg(value_);
    if (capInches_ && !(*capInches_ > 0))
        return QStringLiteral("a printed length of at most %1 inches").arg(*capInches_);
    return {};
}

PageSizing::PageSizing(Extent width, Extent height, ScreenLetter letter)
    : width_(width), height_(height), letter_(letter) {}

PageSizing PageSizing::scaled(ScreenLetter letter) { return PageSizing(Extent::scaled(), Extent::scaled(), letter); }

PageSizing PageSizing::fitted() {
    PageSizing sizing(Extent::ofPrintable(1.0), Extent::ofPrintable(1.0), {});
    sizing.fitted_ = true;
    return sizing;
}

QSize PageSizing::printedSize(QSize page, const PrinterGauge& printer) const {
    if (fitted_) {
        const double factor = std::min(double(printer.printable.width()) / page.width(),
                                       double(printer.printable.height()) / page.height());
        return {std::min(int(page.width() * factor), printer.printable.width()),
                std::min(int(page.height() * factor), printer.printable.height())};
    }
    const double scaledWidth = double(page.width()) / letter_.width * printer.letterWidth;
    const double scaledHeight = double(page.height()) / (letter_.height + 4) * printer.lineHeight;
    return {width_.resolve(scaledWidth, printer.printable.width(), printer.dpiX),
            height_.resolve(scaledHeight, printer.printable.height(), printer.dpiY)};
}

QString PageSizing::fault() const {
    for (const Extent& side : {width_, height_}) {
        if (const QString fault = side.fault(); !fault.isEmpty()) return fault;
    }
    if ((width_.isScaled() || height_.isScaled()) && (letter_.width < 1 || letter_.height < 1))
        return QStringLiteral("the letter \"H\" measured %1 by %2 pixels on screen")
            .arg(letter_.width)
            .arg(letter_.height);
    return {};
}

}  // namespace pulmora::output
