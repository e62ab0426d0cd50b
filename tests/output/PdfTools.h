#pragma once

#include "support/TempFolder.h"

#include <QImage>
#include <QRect>

#include <string>

namespace pulmora::test {

// What poppler's tools say about a PDF file, for checking printed pages from outside.

// One field of what `pdfinfo` says, such as "Pages" or "Title", without the blanks around the value.
std::string pdfInfoField(const std::string& pdf, const std::string& field);
// The text of one page, as `pdftotext` extracts it.
std::string pdfText(const std::string& pdf, int page);
// The list of embedded images, as `pdfimages -list` gives it: two heading lines, then one line an image.
std::string pdfImages(const std::string& pdf);
// One page rendered in grey at `dpi` by `pdftoppm`; a null image when it cannot be rendered.
QImage renderPage(const TempFolder& folder, const std::string& pdf, int page, int dpi);
// The smallest rectangle holding every pixel darker than mid-grey.
QRect darkBounds(const QImage& image);
// The smallest rectangle holding every pixel lighter than mid-grey inside `within`.
QRect lightBounds(const QImage& image, const QRect& within);

}  // namespace pulmora::test
