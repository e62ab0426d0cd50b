#pragma once

#include "PageSizing.h"
#include "RecordedPage.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace pulmora::output {

// One page of a job and the rule that sizes it on the paper.
struct PrintedPage {
    RecordedPage page;
    PageSizing sizing;
    // The page's own orientation, where it is not the job's: a job may turn some of its sheets.
    std::optional<QPageLayout::Orientation> orientation = std::nullopt;
};

// A line along the foot of every page of a job, in the printer's font: a text at its left, one
// in its middle, and "Page n of N" at its right. It takes the bottom of the printable room, so
// the pages are sized for the room above it.
struct PageFooter {
    QString left, middle;
};
inline constexpr double kFooterInches = 0.25;

// One print job: its pages in order, each on a new sheet of paper, all in one orientation but for
// the pages that have their own. Each page is drawn from the corner of the margins: the
// printer's unprintable widths, but at least 6 mm a side, and a left margin that is asked for
// where it is wider (see PageMargins.h).
struct PrintJob {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::optional<double> leftMarginInches;
    std::vector<PrintedPage> pages;
    std::optional<PageFooter> footer;

    QPageLayout::Orientation orientationOf(const PrintedPage& page) const {
        return page.orientation.value_or(orientation);
    }
};

// The title every job carries.
inline constexpr char kPrintJobTitle[] = "Pulmora";

class PrintOutcome {
public:
    enum class Status { Printed, Cancelled, Failed };

    static PrintOutcome printed() { return PrintOutcome(Status::Printed, {}); }
    static PrintOutcome cancelled() { return PrintOutcome(Status::Cancelled, {}); }
    static PrintOutcome failed(QString what) { return PrintOutcome(Status::Failed, std::move(what)); }

    Status status() const { return status_; }
    bool ok() const { return status_ == Status::Printed; }
    // What failed, for a message line after "ERROR: "; empty unless the job failed.
    const QString& error() const { return error_; }

private:
    PrintOutcome(Status status, QString error) : status_(status), error_(std::move(error)) {}
    Status status_;
    QString error_;
};

// Prints the job into a PDF file on paper of the given size, without a dialog. A PDF file is
// written whole or not at all: a failed job leaves an existing file of the name as it was. As
// every file the user names, a new PDF file is for its owner only, one replaced keeps its
// permissions, one the user may not write is refused and a link is written through to the file it
// names.
[[nodiscard]] PrintOutcome printToPdf(const QString& path, const PrintJob& job,
                                      const QPageSize& paper = QPageSize(QPageSize::A4));

}  // namespace pulmora::output
