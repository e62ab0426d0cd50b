// pulmora-icons FOLDER NAME: writes the program's icon for the desktop into FOLDER, laid out as
// an icon theme's folder is (scalable/apps/NAME.svg and NxN/apps/NAME.png), from the same drawing
// the program paints its window icon with, so the menu and the window show one picture.

#include "pictures/Pictures.h"

#include <QDir>
#include <QSaveFile>

#include <cstdio>

namespace {

using pulmora::controls::pictures::IconDrawing;

// The side of the scalable icon's drawing box.
constexpr int kSvgSide = 64;

QString number(qreal value) { return QString::number(value, 'g', 6); }

QString svg(const IconDrawing& drawing, int side) {
    QString points;
    for (const QPointF& point : drawing.trace) points += number(point.x()) + ',' + number(point.y()) + ' ';
    const QRectF& disc = drawing.disc;
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
               "  <ellipse cx=\"%2\" cy=\"%3\" rx=\"%4\" ry=\"%5\" fill=\"%6\"/>\n"
               "  <polyline points=\"%7\" fill=\"none\" stroke=\"%8\" stroke-width=\"%9\" stroke-linecap=\"round\""
               " stroke-linejoin=\"round\"/>\n"
               "</svg>\n")
        .arg(side)
        .arg(number(disc.center().x()), number(disc.center().y()), number(disc.width() / 2), number(disc.height() / 2),
             drawing.discColour.name(), points.trimmed(), drawing.traceColour.name(), number(drawing.traceWidth));
}

bool writeText(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(text.toUtf8());
    return file.commit();
}

bool fail(const QString& what) {
    std::fprintf(stderr, "pulmora-icons: %s\n", qPrintable(what));
    return false;
}

bool writeIcons(const QDir& folder, const QString& name) {
    const QString scalable = folder.filePath("scalable/apps");
    if (!QDir().mkpath(scalable)) return fail(scalable + " could not be made");
    const QString svgPath = scalable + '/' + name + ".svg";
    if (!writeText(svgPath, svg(pulmora::controls::pictures::appIconDrawing(kSvgSide), kSvgSide)))
        return fail(svgPath + " could not be written");
    for (int size : pulmora::controls::pictures::kAppIconSizes) {
        const QString sized = folder.filePath(QStringLiteral("%1x%1/apps").arg(size));
        if (!QDir().mkpath(sized)) return fail(sized + " could not be made");
        const QString pngPath = sized + '/' + name + ".png";
        if (!pulmora::controls::pictures::appIcon(size).save(pngPath, "PNG"))
            return fail(pngPath + " could not be written");
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pulmora-icons FOLDER NAME\n");
        return 2;
    }
    return writeIcons(QDir(QString::fromLocal8Bit(argv[1])), QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
