// Saves a small picture, or prints a small page as PDF, at the path given, as an ordinary user:
// started by root it first becomes "nobody", for whom a folder or file of the tests is as
// unwritable as it is for anyone else.
// Exit status 0 when saved, 1 with the error text on standard output when not.
#include "output/PictureFile.h"
#include "output/Printing.h"

#include <QGuiApplication>
#include <QPainter>

#include <grp.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

QString printed(int argc, char** argv, const QString& path) {
    QGuiApplication app(argc, argv);
    pulmora::output::PrintJob job;
    job.pages.push_back(
        {pulmora::output::RecordedPage::record({100, 100}, [](QPainter& p) { p.fillRect(10, 10, 50, 50, Qt::red); }),
         pulmora::output::PageSizing::fitted()});
    return pulmora::output::printToPdf(path, job).error();
}

QString saved(const QString& path, const char* kind) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    return pulmora::output::savePicture(picture, path,
                                        std::strcmp(kind, "bmp") == 0 ? pulmora::output::PictureKind::Bitmap
                                                                      : pulmora::output::PictureKind::Jpeg)
        .error();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    constexpr uid_t kNobody = 65534;
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
        std::perror("becoming nobody");
        return 3;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString error = std::strcmp(argv[2], "pdf") == 0 ? printed(argc, argv, path) : saved(path, argv[2]);
    if (error.isEmpty()) return 0;
    std::fputs(error.toLocal8Bit().constData(), stdout);
    return 1;
}
