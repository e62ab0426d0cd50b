#pragma once

#include <QSize>
#include <QString>

#include <optional>

class QFontMetrics;
class QPagedPaintDevice;

namespace pulmora::output {

// The letter "H" measured in the font and on the canvas a page was drawn with: the yardstick
// that turns the page's screen pixels into printer pixels.
struct ScreenLetter {
    int width = 0;   // text width of "H"
    int height = 0;  // text height of "H"

    static ScreenLetter measure(const QFontMetrics& metrics);
};

// The same yardstick on the printer (Arial 8 pt), with the room the printer offers a page.
struct PrinterGauge {
    int letterWidth = 0;  // text width of "H"
    int lineHeight = 0;   // distance from one line of text to the next
    QSize printable;      // inside the margins, in printer pixels
    int dpiX = 0;
    int dpiY = 0;

    // Measures a printer (or a PDF writer) whose orientation and margins are already set.
    static PrinterGauge measure(const QPagedPaintDevice& printer);
};

// How long one side of a printed page is. Whatever the rule, a side never exceeds the
// printable room in its direction.
class Extent {
public:
    // By the letter yardstick: the page's screen pixels in proportion to the letter "H".
    static Extent scaled();
    static Extent inches(double length);
    // A share of the printable room, e.g. 3.0 / 4 for three quarters.
    static Extent ofPrintable(double share);
    // The same rule, but no longer than `cap` inches.
    Extent atMostInches(double cap) const;

    // The printed length in printer pixels: `scaledPixels` is the length by the yardstick,
    // `printablePixels` the room, `dpi` the printer's resolution in this direction.
    int resolve(double scaledPixels, int printablePixels, int dpi) const;
    // Why the rule cannot give a length, or empty.
    QString fault() const;
    bool isScaled() const { return kind_ == Kind::Scaled; }

private:
    enum class Kind { Scaled, Inches, Printable };
    Extent(Kind kind, double value) : kind_(kind), value_(value) {}

    Kind kind_;
    double value_;
    std::optional<double> capInches_;
};

// The printed size of a page: a rule for each side and the letter yardstick of the page.
//   scaled width  = page width  / screen "H" width        * printer "H" width
//   scaled height = page height / (screen "H" height + 4) * printer line height
// Each side is limited to the printable room on its own, so a page too large for the paper
// is squeezed in that direction only, without keeping its proportions.
class PageSizing {
public:
    PageSizing(Extent width, Extent height, ScreenLetter letter);
    // Both sides by the yardstick: how reports and the automatic record sheet print.
    static PageSizing scaled(ScreenLetter letter);
    // As large as the printable room allows, keeping the page's proportions: how a chart prints.
    static PageSizing fitted();

    // The printed size in printer pixels of a page `page` screen pixels large.
    QSize printedSize(QSize page, const PrinterGauge& printer) const;
    // Why the sizing cannot be used, or empty.
    QString fault() const;

private:
    Extent width_;
    Extent height_;
    ScreenLetter letter_;
    bool fitted_ = false;
};

}  // namespace pulmora::output
