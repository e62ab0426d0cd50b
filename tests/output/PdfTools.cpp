#include "PdfTools.h"

#include <algorithm>

namespace pulmora::test {
namespace {

std::string run(const std::string& command) {
    int status = 0;
    std::string output = runCommand(command + " 2>&1", status);
    if (status != 0) output += "\n[exit status " + std::to_string(status) + "]";
    return output;
}

std::string pdfInfo(const std::string& pdf) { return run("pdfinfo '" + pdf + "'"); }

QRect bounds(const QImage& image, bool dark, const QRect& within) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const QRect area = within & grey.rect();
    int left = grey.width(), top = grey.height(), right = -1, bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((row[x] < 128) != dark) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

std::string pdfInfoField(const std::string& pdf, const std::string& field) {
    const std::string info = pdfInfo(pdf);
    const std::string key = "\n" + field + ":";
    const size_t at = ("\n" + info).find(key);
    if (at == std::string::npos) return "[no " + field + " in]\n" + info;
    const size_t start = info.find_first_not_of(' ', at + key.size() - 1);
    return info.substr(start, info.find('\n', start) - start);
}

std::string pdfText(const std::string& pdf, int page) {
    const std::string p = std::to_string(page);
    return run("pdftotext -f " + p + " -l " + p + " '" + pdf + "' -");
}

std::string pdfImages(const std::string& pdf) { return run("pdfimages -list '" + pdf + "'"); }

QImage renderPage(const TempFolder& folder, const std::string& pdf, int page, int dpi) {
    const std::string p = std::to_string(page);
    const std::string out = folder.file("page" + p);
    int status = 0;
    runCommand("pdftoppm -gray -png -singlefile -r " + std::to_string(dpi) + " -f " + p + " -l " + p + " '" + pdf +
                   "' '" + out + "' 2>&1",
               status);
    if (status != 0) return {};
    return QImage(QString::fromStdString(out + ".png"));
}

QRect darkBounds(const QImage& image) { return bounds(image, true, image.rect()); }

QRect lightBounds(const QImage& image, const QRect& within) { return bounds(image, false, within); }

}  // namespace pulmora::test
