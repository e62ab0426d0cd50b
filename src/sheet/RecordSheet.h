#pragma once

#include "SheetPerson.h"

#include "output/PageSizing.h"
#include "output/RecordedPage.h"

#include <QDate>
#include <QPicture>
#include <QSize>

#include <vector>

namespace pulmora::sheet {

// The sizes every part of a sheet is laid out by, measured on the sheet's font.
struct SheetMetrics {
    int textHeight = 0;   // TH: of "H"
    int rowHeight = 0;    // RH: TH + 5, but at least 20
    int textOffset = 0;   // TO: of a row's text below the row's top
    int labelWidth = 0;   // LW: the column of row labels
    int columnWidth = 0;  // CW: one day, at least 46
    int days = 7;

    static SheetMetrics measure(int days);
    // The metrics of one person's sheet from `first`: the label column grows, where it must, so
    // the person's name and the period stand whole side by side in the heading and every trigger
    // and medication stands whole in its label cell, clear of the first day's write-in box.
    static SheetMetrics forSheet(const SheetPerson& person, const QDate& first, int days);
    int width() const { return days * columnWidth + labelWidth; }
    // The left edge of day `day`'s column.
    int columnLeft(int day) const { return labelWidth + day * columnWidth; }
    int rowTop(int row) const { return row * rowHeight; }
};

// The sheet's texts.
QString dayHeading(const QDate& date);                // "14/1"
QString weekdayHeading(const QDate& date);            // "Mon"
QString periodHeading(const QDate& first, int days);  // "1 January 2026 to 14 January 2026"
QString zoneLine(const SheetPerson& person);
QString triggerLabel(const QString& trigger);  // "House dust"
// "(R) Salbutamol" for a reliever, "(P) " for a preventer, "(O) " for any other category.
QString medicationLabel(const SheetMedication& medication);

// One person's record sheet for a week or two from `first`: the sheet picture (heading, dates,
// the grid of write-in boxes, the zone line) and the lists picture (the person's triggers with
// three rows to spare and the medication in use), each recorded once as vectors.
class RecordSheet {
public:
    RecordSheet(const SheetPerson& person, const QDate& first, int days);

    const SheetMetrics& metrics() const { return metrics_; }
    const output::RecordedPage& sheet() const { return sheet_; }
    const output::RecordedPage& lists() const { return lists_; }

    // The printed pages: the sheet with the lists below it, or the sheet, then the sheet's
    // heading and dates above the lists on a second page at least as tall as the first.
    std::vector<output::RecordedPage> pages(bool separateLists) const;
    // The yardstick the pages are printed by: the letter "H" of the sheet's font.
    static output::ScreenLetter letter();

private:
    SheetMetrics metrics_;
    output::RecordedPage sheet_;
    output::RecordedPage heading_;  // the sheet's top for a second page: its texts are not the whole sheet's
    output::RecordedPage lists_;
};

}  // namespace pulmora::sheet
