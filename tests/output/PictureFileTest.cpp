#include "output/PictureFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>
#include <QPainter>

#include <sys/stat.h>
#include <filesystem>

namespace pulmora::test {
namespace {

using output::PictureKind;
using output::pictureTargetPath;
using output::savePicture;

QString path(const std::string& s) { return QString::fromStdString(s); }

TEST(PictureTargetPathTest, TheExtensionIsForcedToTheKind) {
    const QString folder = QStringLiteral("/home/ann/Pictures");
    EXPECT_EQ(pictureTargetPath(folder, QStringLiteral("march.bmp"), PictureKind::Jpeg), folder + "/march.jpg");
    EXPECT_EQ(pictureTargetPath(folder, QStringLiteral("march.jpg"), PictureKind::Bitmap), folder + "/march.bmp");
    EXPECT_EQ(pictureTargetPath(folder, QStringLiteral("march"), PictureKind::Jpeg), folder + "/march.jpg");
    EXPECT_EQ(pictureTargetPath(folder, QStringLiteral("march.JPG"), PictureKind::Jpeg), folder + "/march.jpg");
    EXPECT_EQ(pictureTargetPath(folder, QStringLiteral("week.1.2024.txt"), PictureKind::Jpeg),
              folder + "/week.1.2024.jpg");
    EXPECT_EQ(pictureTargetPath(folder, QStringLiteral("march."), PictureKind::Bitmap), folder + "/march.bmp");
    EXPECT_EQ(pictureTargetPath(folder, QStringLiteral("  march  "), PictureKind::Jpeg), folder + "/march.jpg");
    // A leading dot is part of the name, and a dot in a folder part is no extension.
    EXPECT_EQ(pictureTargetPath(folder, QStringLiteral(".report"), PictureKind::Jpeg), folder + "/.report.jpg");
    EXPECT_EQ(pictureTargetPath(folder, QStringLiteral("old.v2/march"), PictureKind::Jpeg),
              folder + "/old.v2/march.jpg");
}

TEST(PictureTargetPathTest, TheFolderGetsOneSeparator) {
    const QString sep = QDir::separator();
    EXPECT_EQ(pictureTargetPath(sep, QStringLiteral("march"), PictureKind::Jpeg), sep + "march.jpg");
    EXPECT_EQ(pictureTargetPath(QStringLiteral("/tmp/"), QStringLiteral("march"), PictureKind::Jpeg), "/tmp/march.jpg");
    EXPECT_EQ(pictureTargetPath(QStringLiteral("/tmp"), QStringLiteral("march"), PictureKind::Bitmap),
              "/tmp" + sep + "march.bmp");
    EXPECT_EQ(pictureTargetPath(QString(), QStringLiteral("march.bmp"), PictureKind::Jpeg), "march.jpg");
}

// Blocks of plain colour, eight pixels on a side, so a JPEG at quality 100 keeps them nearly exact.
QImage blocks(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    const QColor colours[] = {Qt::white, Qt::black, QColor(0, 128, 0), QColor(255, 255, 0), QColor(0, 0, 128), Qt::red};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.setPixelColor(x, y, colours[(x / 8 + y / 8) % 6]);
    return picture;
}

struct Segment {
    unsigned marker;
    std::vector<unsigned char> body;  // without marker and length
};

// The marker segments of a JPEG file and, separately, the entropy-coded bytes between them.
struct JpegLayout {
    std::vector<Segment> segments;
    std::vector<unsigned char> scanBytes;
    bool endsWithEoi = false;

    int count(unsigned marker) const {
        return int(
            std::count_if(segments.begin(), segments.end(), [marker](const Segment& s) { return s.marker == marker; }));
    }
    const Segment* first(unsigned marker) const {
        for (const Segment& s : segments)
            if (s.marker == marker) return &s;
        return nullptr;
    }
};

JpegLayout parseJpeg(const std::vector<char>& file) {
    JpegLayout layout;
    const auto byte = [&](size_t i) { return (unsigned char)file.at(i); };
    EXPECT_TRUE(file.size() > 4 && byte(0) == 0xFF && byte(1) == 0xD8) << "starts with SOI";
    size_t i = 2;
    while (i + 2 <= file.size()) {
        if (byte(i) != 0xFF) {
            ADD_FAILURE() << "no marker at " << i;
            return layout;
        }
        const unsigned marker = byte(i + 1);
        if (marker == 0xD9) {
            layout.endsWithEoi = i + 2 == file.size();
            return layout;
        }
        if (i + 4 > file.size()) break;
        const size_t length = byte(i + 2) << 8 | byte(i + 3);
        Segment segment{marker, {file.begin() + long(i + 4), file.begin() + long(i + 2 + length)}};
        layout.segments.push_back(segment);
        i += 2 + length;
        if (marker != 0xDA) continue;
        // Entropy-coded data runs to the next marker that is not a stuffed zero or a restart.
        while (i + 1 < file.size() &&
               !(byte(i) == 0xFF && byte(i + 1) != 0x00 && (byte(i + 1) < 0xD0 || byte(i + 1) > 0xD7))) {
            layout.scanBytes.push_back(byte(i));
            ++i;
        }
    }
    ADD_FAILURE() << "no EOI";
    return layout;
}

TEST(SaveJpegTest, ProgressiveJfifWithoutUnitsAtQualityHundred) {
    TempFolder folder;
    const std::string file = folder.file("report.jpg");
    ASSERT_TRUE(savePicture(blocks(70, 45), path(file), PictureKind::Jpeg).ok());
    const JpegLayout jpeg = parseJpeg(readBytes(file));
    EXPECT_TRUE(jpeg.endsWithEoi);

    const Segment* app0 = jpeg.first(0xE0);
    ASSERT_NE(app0, nullptr);
    ASSERT_GE(app0->body.size(), 12u);
    EXPECT_EQ(std::string(app0->body.begin(), app0->body.begin() + 5), std::string("JFIF\0", 5));
    EXPECT_EQ(app0->body[7], 0) << "density unit: none";
    EXPECT_EQ(app0->body[8] << 8 | app0->body[9], 1) << "X density";
    EXPECT_EQ(app0->body[10] << 8 | app0->body[11], 1) << "Y density";
    EXPECT_EQ(&jpeg.segments.front(), app0) << "JFIF header first";

    // Progressive: SOF2 only, with several scans; colour: three components.
    EXPECT_EQ(jpeg.count(0xC2), 1);
    EXPECT_EQ(jpeg.count(0xC0) + jpeg.count(0xC1), 0);
    EXPECT_GT(jpeg.count(0xDA), 1);
    const Segment* sof = jpeg.first(0xC2);
    ASSERT_NE(sof, nullptr);
    EXPECT_EQ(sof->body[1] << 8 | sof->body[2], 45) << "height";
    EXPECT_EQ(sof->body[3] << 8 | sof->body[4], 70) << "width";
    EXPECT_EQ(sof->body[5], 3) << "components";

    // Quality 100 divides every coefficient by one.
    int tables = 0;
    for (const Segment& s : jpeg.segments) {
        if (s.marker != 0xDB) continue;
        for (size_t at = 0; at < s.body.size(); at += 65, ++tables) {
            ASSERT_EQ(s.body[at] >> 4, 0) << "8-bit table";
            for (size_t k = 1; k <= 64; ++k) EXPECT_EQ(s.body[at + k], 1) << "table " << tables << " entry " << k;
        }
    }
    EXPECT_EQ(tables, 2) << "luminance and chrominance";

    // No restart interval, hence no restart markers in the scans.
    for (const Segment& s : jpeg.segments) {
        if (s.marker == 0xDD) {
            EXPECT_EQ(s.body[0] << 8 | s.body[1], 0);
        }
    }
    for (size_t k = 0; k + 1 < jpeg.scanBytes.size(); ++k)
        EXPECT_FALSE(jpeg.scanBytes[k] == 0xFF && jpeg.scanBytes[k + 1] >= 0xD0 && jpeg.scanBytes[k + 1] <= 0xD7);
}

TEST(SaveJpegTest, DecodesToThePictureAtItsSize) {
    TempFolder folder;
    const std::string file = folder.file("report.jpg");
    const QImage picture = blocks(97, 61);
    ASSERT_TRUE(savePicture(picture, path(file), PictureKind::Jpeg).ok());
    QImageReader reader(path(file));
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage decoded = reader.read();
    ASSERT_EQ(decoded.size(), picture.size()) << reader.errorString().toStdString();
    // Block centres, away from the chroma subsampling at colour edges.
    for (int y = 4; y < 61; y += 8)
        for (int x = 4; x < 97; x += 8) {
            const QColor want = picture.pixelColor(x, y), got = decoded.pixelColor(x, y);
            EXPECT_NEAR(got.red(), want.red(), 6) << x << "," << y;
            EXPECT_NEAR(got.green(), want.green(), 6) << x << "," << y;
            EXPECT_NEAR(got.blue(), want.blue(), 6) << x << "," << y;
        }
}

std::uint32_t le32(const std::vector<char>& b, size_t at) {
    return std::uint32_t((unsigned char)b[at]) | std::uint32_t((unsigned char)b[at + 1]) << 8 |
           std::uint32_t((unsigned char)b[at + 2]) << 16 | std::uint32_t((unsigned char)b[at + 3]) << 24;
}
unsigned le16(const std::vector<char>& b, size_t at) { return (unsigned char)b[at] | (unsigned char)b[at + 1] << 8; }

TEST(SaveBitmapTest, TwentyFourBitRowsBottomUpPaddedToFourBytes) {
    TempFolder folder;
    const std::string file = folder.file("report.bmp");
    QImage picture(5, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixelColor(0, 0, QColor(10, 20, 30));    // top left
    picture.setPixelColor(4, 1, QColor(200, 100, 50));  // bottom right
    ASSERT_TRUE(savePicture(picture, path(file), PictureKind::Bitmap).ok());

    const std::vector<char> b = readBytes(file);
    ASSERT_EQ(b.size(), 54u + 2 * 16) << "5 pixels of 3 bytes padded to 16 a row";
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 6), 0u);
    EXPECT_EQ(le32(b, 10), 54u) << "pixels after both headers";
    EXPECT_EQ(le32(b, 14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(le32(b, 18), 5u);
    EXPECT_EQ(le32(b, 22), 2u) << "positive height: bottom-up";
    EXPECT_EQ(le16(b, 26), 1u);
    EXPECT_EQ(le16(b, 28), 24u);
    EXPECT_EQ(le32(b, 30), 0u) << "uncompressed";
    EXPECT_EQ(le32(b, 34), 32u);
    EXPECT_EQ(le32(b, 46), 0u) << "no palette";

    // The first row in the file is the picture's bottom row, blue-green-red.
    const auto pixel = [&](int fileRow, int x) {
        const size_t at = 54 + size_t(fileRow) * 16 + size_t(x) * 3;
        return QColor((unsigned char)b[at + 2], (unsigned char)b[at + 1], (unsigned char)b[at]);
    };
    EXPECT_EQ(pixel(0, 4), QColor(200, 100, 50));
    EXPECT_EQ(pixel(1, 0), QColor(10, 20, 30));
    EXPECT_EQ(pixel(0, 0), QColor(Qt::white));
    EXPECT_EQ(b[54 + 15], 0) << "padding";
    EXPECT_EQ(b[54 + 31], 0) << "padding";

    // Another reader sees the same picture.
    const QImage read(path(file));
    ASSERT_EQ(read.size(), picture.size());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(read.pixelColor(x, y), picture.pixelColor(x, y)) << x << "," << y;
}

TEST(SaveBitmapTest, TransparentPartsAreSavedWhite) {
    TempFolder folder;
    const std::string file = folder.file("clear.bmp");
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixelColor(1, 1, QColor(0, 0, 128));
    ASSERT_TRUE(savePicture(picture, path(file), PictureKind::Bitmap).ok());
    const QImage read(path(file));
    EXPECT_EQ(read.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(read.pixelColor(1, 1), QColor(0, 0, 128));
}

TEST(SavePictureTest, ASaveReplacesTheFileAndLeavesNothingElse) {
    TempFolder folder;
    const std::string file = folder.file("report.bmp");
    writeBytes(file, {'o', 'l', 'd'});
    ASSERT_TRUE(savePicture(blocks(16, 16), path(file), PictureKind::Bitmap).ok());
    EXPECT_EQ(readBytes(file).size(), 54u + 16 * 48);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// A failure leaves the existing file as it was and no other file beside it.
void expectUntouched(const TempFolder& folder, const std::string& file, const std::vector<char>& before) {
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(SavePictureTest, AnUnwritableFolderGivesTheErrorAndKeepsTheFile) {
    for (const char* kind : {"jpg", "bmp"}) {
        TempFolder folder;
        const std::string file = folder.file(std::string("report.") + kind);
        const std::vector<char> before{'k', 'e', 'e', 'p'};
        writeBytes(file, before);
        ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
        int status = 0;
        const std::string output = runCommand(std::string(PULMORA_SAVE_CHILD) + " '" + file + "' " + kind, status);
        ::chmod(folder.path().c_str(), 0755);
        EXPECT_EQ(status, 1) << output;
        EXPECT_NE(output.find("Could not write " + file), std::string::npos) << output;
        expectUntouched(folder, file, before);
    }
}

// Every file the user names follows one rule: one the user may not write is refused, not replaced.
TEST(SavePictureTest, AFileTheUserMayNotWriteIsRefusedWhateverItsKind) {
    for (const char* kind : {"jpg", "bmp", "pdf"}) {
        TempFolder folder;
        ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
        const std::string file = folder.file(std::string("report.") + kind);
        const std::vector<char> before{'k', 'e', 'e', 'p'};
        writeBytes(file, before);
        ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
        int status = 0;
        const std::string output = runCommand(std::string(PULMORA_SAVE_CHILD) + " '" + file + "' " + kind, status);
        EXPECT_EQ(status, 1) << kind << ": " << output;
        EXPECT_NE(output.find("Could not write " + file + ": Permission denied"), std::string::npos) << output;
        expectUntouched(folder, file, before);
    }
}

TEST(SavePictureTest, AFailedEncodingKeepsTheFile) {
    TempFolder folder;
    const std::string file = folder.file("report.jpg");
    const std::vector<char> before{'k', 'e', 'e', 'p'};
    writeBytes(file, before);

    const output::WriteResult nothing = savePicture(QImage(), path(file), PictureKind::Jpeg);
    EXPECT_FALSE(nothing.ok());
    expectUntouched(folder, file, before);

    // Wider than a JPEG can be: libjpeg's own error comes back as the message.
    const output::WriteResult tooWide =
        savePicture(QImage(70000, 1, QImage::Format_RGB32), path(file), PictureKind::Jpeg);
    EXPECT_FALSE(tooWide.ok());
    EXPECT_TRUE(tooWide.error().contains(QStringLiteral("65500"))) << tooWide.error().toStdString();
    expectUntouched(folder, file, before);
}

TEST(SavePictureTest, AMissingFolderGivesTheError) {
    TempFolder folder;
    const std::string file = folder.file("none/report.bmp");
    const output::WriteResult result = savePicture(blocks(8, 8), path(file), PictureKind::Bitmap);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error().startsWith(QStringLiteral("Could not write ") + path(file)))
        << result.error().toStdString();
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace
}  // namespace pulmora::test
