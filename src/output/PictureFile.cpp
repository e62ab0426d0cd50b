#include "PictureFile.h"

#include "Encoders.h"
#include "files/Replacement.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include <algorithm>

namespace pulmora::output {
namespace {

bool endsInSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) || folder.endsWith(QDir::separator());
}

// The picture as 8-bit RGB; what is transparent becomes white.
QImage opaqueRgb(const QImage& picture) {
    if (!picture.hasAlphaChannel()) return picture.convertToFormat(QImage::Format_RGB888);
    QImage opaque(picture.size(), QImage::Format_RGB888);
    opaque.setDotsPerMeterX(picture.dotsPerMeterX());
    opaque.setDotsPerMeterY(picture.dotsPerMeterY());
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, picture);
    painter.end();
    return opaque;
}

WriteResult replaceFile(const QString& path, const QByteArray& bytes) {
    files::Replacement file(QFile::encodeName(path).toStdString(), files::kUserFile);
    if (file.replaceBy(bytes.constData(), size_t(bytes.size()))) return WriteResult::written();
    const QString why = QString::fromStdString(file.reason());
    return WriteResult::failed(QStringLiteral("Could not write %1: %2").arg(path, why), why);
}

}  // namespace

QString pictureExtension(PictureKind kind) {
    return kind == PictureKind::Jpeg ? QStringLiteral("jpg") : QStringLiteral("bmp");
}

QString pictureTargetPath(const QString& folder, const QString& fileName, PictureKind kind) {
    const QString name = fileName.trimmed();
    const qsizetype nameStart = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QDir::separator())) + 1;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > nameStart ? name.left(dot) : name;
    const QString file = stem + QLatin1Char('.') + pictureExtension(kind);
    if (folder.isEmpty()) return file;
    return endsInSeparator(folder) ? folder + file : folder + QDir::separator() + file;
}

WriteResult savePicture(const QImage& picture, const QString& path, PictureKind kind) {
    if (picture.isNull())
        return WriteResult::failed(QStringLiteral("There is no picture to save as %1").arg(path),
                                   QStringLiteral("there is no picture to save"));
    const QImage rgb = opaqueRgb(picture);
    const Encoded encoded = kind == PictureKind::Jpeg ? encodeJpeg(rgb) : encodeBitmap(rgb);
    if (!encoded.error.isEmpty())
        return WriteResult::failed(QStringLiteral("Could not make %1: %2").arg(path, encoded.error), encoded.error);
    return replaceFile(path, encoded.bytes);
}

}  // namespace pulmora::output
