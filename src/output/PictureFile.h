#pragma once

#include <QImage>
#include <QString>

#include <utility>

namespace pulmora::output {

enum class PictureKind { Jpeg, Bitmap };

// "jpg" or "bmp": the extension every saved picture of the kind carries.
QString pictureExtension(PictureKind kind);

// Where a picture named `fileName` is saved in `folder`: the name with its extension forced to
// the kind's (an existing extension replaced, a missing one added; the blanks around the name
// dropped), joined to the folder with the platform's separator unless the folder already ends
// in one. A leading dot belongs to the name ("~/.hidden" has no extension). An empty folder
// gives the name alone.
QString pictureTargetPath(const QString& folder, const QString& fileName, PictureKind kind);

class WriteResult {
public:
    static WriteResult written() { return WriteResult({}, {}); }
    static WriteResult failed(QString what, QString why) { return WriteResult(std::move(what), std::move(why)); }

    bool ok() const { return error_.isEmpty(); }
    // What failed, naming the file; empty when the file was written.
    const QString& error() const { return error_; }
    // Why, without the file's name: in the system's words where it has them ("No space left on device").
    const QString& reason() const { return reason_; }

private:
    WriteResult(QString error, QString reason) : error_(std::move(error)), reason_(std::move(reason)) {}
    QString error_;
    QString reason_;
};

// Saves the picture as a JPEG file or a 24-bit Windows bitmap at `path`, replacing a file of
// that name. The file is written under a new name in the same folder and renamed over the
// target only when complete, so a failure leaves an existing file exactly as it was. As every
// file the user names: a new one is for its owner only, one replaced keeps its permissions, one
// the user may not write is refused, and a link is written through to the file it names.
// Transparent parts of the picture are saved white.
[[nodiscard]] WriteResult savePicture(const QImage& picture, const QString& path, PictureKind kind);

}  // namespace pulmora::output
