#include "Printing.h"

#include "PageMargins.h"
#include "PrintTarget.h"
#include "files/Replacement.h"

#include <QFile>
#include <QImage>
#include <QMarginsF>
#include <QPainter>
#include <QPdfWriter>

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
    const PrinterGauge gauge = PrinterGauge::measure(device);
    QPainter painter;
    if (!painter.begin(&device))
        return PrintOutcome::failed(QStringLiteral("Could not start the print job on %1").arg(where));
    for (size_t i = 0; i < job.pages.size(); ++i) {
        const PrintedPage& printed = job.pages[i];
        if (i > 0 && !device.newPage())
            return abandon(target, painter, QStringLiteral("Could not start page %1 on %2").arg(i + 1).arg(where));
        const QSize size = printed.sizing.printedSize(printed.page.size(), gauge);
        if (!printed.page.replay(painter, QRectF(QPointF(0, 0), QSizeF(size))))
            return abandon(
                target, painter,
                QStringLiteral("Page %1 could not be drawn: its recorded picture cannot be read").arg(i + 1));
    }
    if (!painter.end() || target.failed())
        return PrintOutcome::failed(QStringLiteral("The print job on %1 did not finish").arg(where));
    return PrintOutcome::printed();
}

// The PDF writer does not tell when a write fails (a full disk, say) and ends the job as if all
// went well; a file that was written whole ends with the end-of-file marker.
bool writtenWhole(const QString& pdf) {
    QFile file(pdf);
    constexpr qint64 kTail = 16;
    if (!file.open(QIODevice::ReadOnly) || file.size() < kTail || !file.seek(file.size() - kTail)) return false;
    return file.read(kTail).contains("%%EOF");
}

// Why a PDF file was cut short, in the system's words: the writer keeps them to itself, so a
// write of our own to the same file asks the disk again. The file is thrown away afterwards.
QString whyCutShort(const QString& pdf) {
    QFile file(pdf);
    const QByteArray probe(4096, '\0');
    if (file.open(QIODevice::Append) && file.write(probe) == probe.size() && file.flush())
        return QStringLiteral("the file was not written whole");
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
    // A write that failed is found in the file itself (writtenWhole).
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
    QPagedPaintDevice& device = target.device();
    if (!device.setPageOrientation(job.orientation))
        return QStringLiteral("%1 does not take the page orientation").arg(target.name());
    const QMarginsF margins = pageMargins(device.pageLayout(), job.leftMarginInches);
    if (!device.setPageMargins(margins, QPageLayout::Inch))
        return QStringLiteral("%1 does not take margins of %2, %3, %4 and %5 inches")
            .arg(target.name())
            .arg(margins.left())
            .arg(margins.top())
            .arg(margins.right())
            .arg(margins.bottom());
    return {};
}

namespace {

// A job found printable, on its target: set up for the job, then its pages.
PrintOutcome printPrepared(PrintTarget& target, const PrintJob& job) {
    if (const QString fault = prepareTarget(target, job); !fault.isEmpty()) return PrintOutcome::failed(fault);
    return printPages(target, job);
}

}  // namespace

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
        const PrintOutcome outcome = printPrepared(pdf, job);
        if (!outcome.ok()) return outcome;
    }
    if (!writtenWhole(part)) return PrintOutcome::failed(couldNotWrite(path, whyCutShort(part)));
    if (!file.commit()) return PrintOutcome::failed(couldNotWrite(path, QString::fromStdString(file.reason())));
    return PrintOutcome::printed();
}

}  // namespace pulmora::output
