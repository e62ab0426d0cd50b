// Saves a small picture at the path given, as an ordinary user: started by root it first becomes
// "nobody", for whom a folder of the tests is as unwritable as it is for anyone else.
// Exit status 0 when saved, 1 with the error text on standard output when not.
#include "output/PictureFile.h"

#include <grp.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    constexpr uid_t kNobody = 65534;
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
        std::perror("becoming nobody");
        return 3;
    }
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const auto kind =
        std::strcmp(argv[2], "bmp") == 0 ? pulmora::output::PictureKind::Bitmap : pulmora::output::PictureKind::Jpeg;
    const pulmora::output::WriteResult result =
        pulmora::output::savePicture(picture, QString::fromLocal8Bit(argv[1]), kind);
    if (result.ok()) return 0;
    std::fputs(result.error().toLocal8Bit().constData(), stdout);
    return 1;
}
