#include "Printing.h"

#include "PageMargins.h"
#include "PrintTarget.h"
#include "files/Replacement.h"

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QMarginsF>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace pulmora::output {
namespace {

// A PDF file is drawn at the resolution of a high-resolution printer.
constexpr int kPdfDotsPerInch = 1200;

// Plays the page once off the printer: not every printer can take back what it was sent.
bool playable(const RecordedPage& page) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    return page.replay(painter, QRectF(0, 0, 1, 1));
}

// The orientation of the sheet and the margins in that orientation.
QString turnSheet(PrintTarget& target, QPageLayout::Orientation orientation, std::optional<double> leftMarginInches) {
    QPagedPaintDevice& device = target.device();
    if (!device.setPageOrientation(orientation))
        return QStringLiteral("%1 does not take the page orientation").arg(target.name());
    const QMarginsF margins = pageMargins(device.pageLayout(), leftMarginInches);
    if (!device.setPageMargins(margins, QPageLayout::Inch))
        return QStringLiteral("%1 does not take margins of %2, %3, %4 and %5 inches")
            .arg(target.name())
            .arg(margins.left())
            .arg(margins.top())
            .arg(margins.right())
            .arg(margins.bottom());
    return {};
}

// The footer on the bottom line of the printable room.
void drawFooter(QPainter& painter, const PageFooter& footer, QSize room, int page, int pages) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font, painter.device());
    const int baseline = room.height() - metrics.descent();
    const int gap = metrics.horizontalAdvance(QStringLiteral("MM"));
    const QString pageText = QStringLiteral("Page %1 of %2").arg(page).arg(pages);
    // The middle text is centred unless that would run it into the left one.
    const int left = metrics.horizontalAdvance(footer.left);
    const int middle = std::max((room.width() - metrics.horizontalAdvance(footer.middle)) / 2, left + gap);
    painter.drawText(QPoint(0, baseline), footer.left);
    painter.drawText(QPoint(middle, baseline), footer.middle);
    painter.drawText(QPoint(room.width() - metrics.horizontalAdvance(pageText), baseline), pageText);
    painter.restore();
}

// Ends a job that went wrong after it started. A printer that cannot abort a job (a PDF file,
// a printing system that already took the pages) gets what was drawn so far; the job still
// counts as failed, and a PDF file is thrown away (see printToPdf).
PrintOutcome abandon(PrintTarget& target, QPainter& painter, const QString& what) {
    if (painter.isActive()) {
        target.abort();  // whether or not it could, the painter lets go of the device
        painter.end();
    }
    return PrintOutcome::failed(what);
}

// Prints the pages on a target prepared for the job.
PrintOutcome printPages(PrintTarget& target, const PrintJob& job) {
    QPagedPaintDevice& device = target.device();
    const QString where = target.name();
    QPainter painter;
    if (!painter.begin(&device))
        return PrintOutcome::failed(QStringLiteral("Could not start the print job on %1").arg(where));
    for (size_t i = 0; i < job.pages.size(); ++i) {
        const PrintedPage& printed = job.pages[i];
        const auto pageFault = [&](const QString& what) {
            return abandon(target, painter,
                           QStringLiteral("Could not start page %1 on %2: %3").arg(i + 1).arg(where, what));
        };
        if (i > 0 && job.orientationOf(printed) != job.orientationOf(job.pages[i - 1]))
            if (const QString fault = turnSheet(target, job.orientationOf(printed), job.leftMarginInches);
                !fault.isEmpty())
                return pageFault(fault);
        if (i > 0 && !device.newPage()) return pageFault(QStringLiteral("the printer refused a new sheet"));
        // Measured for each sheet: the room follows its orientation.
        PrinterGauge gauge = PrinterGauge::measure(device);
        const QSize room = gauge.printable;
        const int band = job.footer ? int(kFooterInches * gauge.dpiY) : 0;
        gauge.printable.rheight() -= band;
        const QSize size = printed.sizing.printedSize(printed.page.size(), gauge);
        if (!printed.page.replay(painter, QRectF(QPointF(0, 0), QSizeF(size))))
            return abandon(
                target, painter,
                QStringLiteral("Page %1 could not be drawn: its recorded picture cannot be read").arg(i + 1));
        if (job.footer) drawFooter(painter, *job.footer, room, int(i) + 1, int(job.pages.size()));
    }
    if (!painter.end() || target.failed())
        return PrintOutcome::failed(QStringLiteral("The print job on %1 did not finish").arg(where));
    return PrintOutcome::printed();
}

// A job found printable, on its target: set up for the job, then its pages.
PrintOutcome printPrepared(PrintTarget& target, const PrintJob& job) {
    if (const QString fault = prepareTarget(target, job); !fault.isEmpty()) return PrintOutcome::failed(fault);
    return printPages(target, job);
}

// The PDF writer does not tell when a write fails (a full disk, say) and ends the job as if all
// went well; a file that was written whole ends with the end-of-file marker.
bool writtenWhole(const QString& pdf) {
    QFile file(pdf);
    constexpr qint64 kTail = 16;
    if (!file.open(QIODevice::ReadOnly) || file.size() < kTail || !file.seek(file.size() - kTail)) return false;
    return file.read(kTail).contains("%%EOF");
}

// Why the disk takes no more of a PDF file, in the system's words; empty when it does. The
// writer keeps its reasons to itself, so a write of our own to the same file asks the disk
// again. The file is thrown away afterwards.
QString diskRefusal(const QString& pdf) {
    QFile file(pdf);
    const QByteArray probe(4096, '\0');
    if (file.open(QIODevice::Append) && file.write(probe) == probe.size() && file.flush()) return {};
    return file.errorString();
}

QString couldNotWrite(const QString& target, const QString& why) {
    return QStringLiteral("Could not write %1: %2").arg(target, why);
}

// A PDF file written under a new name beside the one the user named; messages name the latter.
class PdfFile : public PrintTarget {
public:
    PdfFile(const QString& newPath, QString named) : writer_(newPath), named_(std::move(named)) {
        writer_.setTitle(QString::fromLatin1(kPrintJobTitle));
        writer_.setResolution(kPdfDotsPerInch);
    }
    QPagedPaintDevice& device() override { return writer_; }
    QString name() const override { return named_; }
    // The writer cannot take pages back; the file is thrown away instead.
    void abort() override {}
    // A write that failed is found in the file itself (writtenWhole, diskRefusal).
    bool failed() const override { return false; }

private:
    QPdfWriter writer_;
    QString named_;
};

}  // namespace

QString printFault(const PrintJob& job) {
    if (job.pages.empty()) return QStringLiteral("There is no page to print");
    for (size_t i = 0; i < job.pages.size(); ++i) {
        QString fault = job.pages[i].page.fault();
        if (fault.isEmpty()) fault = job.pages[i].sizing.fault();
        if (fault.isEmpty() && !playable(job.pages[i].page))
            fault = QStringLiteral("its recorded picture cannot be read");
        if (!fault.isEmpty()) return QStringLiteral("Page %1 cannot be printed: %2").arg(i + 1).arg(fault);
    }
    return {};
}

QString prepareTarget(PrintTarget& target, const PrintJob& job) {
    return turnSheet(target, job.orientationOf(job.pages.front()), job.leftMarginInches);
}

PrintOutcome print(PrintTarget& target, const PrintJob& job) {
    if (const QString fault = printFault(job); !fault.isEmpty()) return PrintOutcome::failed(fault);
    return printPrepared(target, job);
}

// The file is printed under a new name beside it and renamed over it once the job is complete,
// so a failed job leaves no half-written file and an existing one as it was. It follows the rules
// of every file the user names (see files::kUserFile).
PrintOutcome printToPdf(const QString& path, const PrintJob& job, const QPageSize& paper) {
    if (const QString fault = printFault(job); !fault.isEmpty()) return PrintOutcome::failed(fault);
    files::Replacement file(QFile::encodeName(path).toStdString(), files::kUserFile);
    if (!file.begin()) return PrintOutcome::failed(couldNotWrite(path, QString::fromStdString(file.reason())));
    const QString part = QFile::decodeName(QByteArray::fromStdString(file.newPath()));
    {
        PdfFile pdf(part, path);
        if (!pdf.device().setPageSize(paper))
            return PrintOutcome::failed(QStringLiteral("The PDF printer does not take paper %1").arg(paper.name()));
        // A full disk may first show as a sheet the writer cannot start: the disk says why.
        if (const PrintOutcome outcome = printPrepared(pdf, job); !outcome.ok()) {
            const QString refusal = diskRefusal(part);
            return refusal.isEmpty() ? outcome : PrintOutcome::failed(couldNotWrite(path, refusal));
        }
    }
    if (!writtenWhole(part)) {
        const QString refusal = diskRefusal(part);
        return PrintOutcome::failed(
            couldNotWrite(path, refusal.isEmpty() ? QStringLiteral("the file was not written whole") : refusal));
    }
    if (!file.commit()) return PrintOutcome::failed(couldNotWrite(path, QString::fromStdString(file.reason())));
    return PrintOutcome::printed();
}

}  // namespace pulmora::output
