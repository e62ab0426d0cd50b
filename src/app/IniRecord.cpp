#include "IniRecord.h"

#include "files/Replacement.h"

#include <QFile>
#include <QFileInfo>

namespace pulmora::app {
namespace {
constexpr int kMainLeft = 40, kMainTop = 44, kFolder = 48, kFolderMax = 100, kReportState = 149;
constexpr int kReportLeft = 152, kReportTop = 156, kReportHeight = 160, kReportWidth = 164;
}  // namespace

IniRecord IniRecord::defaults(const QString& programFolder) {
    IniRecord r;
    const QByteArray folder = programFolder.toLocal8Bit().left(kFolderMax);
    r.bytes_[kFolder] = char(folder.size());
    std::copy(folder.begin(), folder.end(), r.bytes_.begin() + kFolder + 1);
    r.bytes_[kReportState] = 'Y';
    return r;
}

std::optional<IniRecord> IniRecord::read(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    IniRecord r;
    if (file.read(r.bytes_.data(), kSize) != kSize) return std::nullopt;
    return r;
}

QString IniRecord::write(const QString& path) const {
    std::string error;
    if (files::replaceWhole(QFile::encodeName(path).toStdString(), {bytes_.begin(), bytes_.end()}, error,
                            files::kPlainFileOnly))
        return {};
    return QFile::decodeName(QByteArray::fromStdString(error));
}

qint32 IniRecord::integer(int offset) const {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | quint8(bytes_[size_t(offset) + size_t(i)]);
    return qint32(v);
}

void IniRecord::setInteger(int offset, qint32 value) {
    const auto v = quint32(value);
    for (int i = 0; i < 4; ++i) bytes_[size_t(offset) + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

QPoint IniRecord::mainWindowPosition() const { return {integer(kMainLeft), integer(kMainTop)}; }

void IniRecord::setMainWindowPosition(const QPoint& position) {
    setInteger(kMainLeft, position.x());
    setInteger(kMainTop, position.y());
}

QString IniRecord::folderText() const {
    const int length = std::min(int(quint8(bytes_[kFolder])), kFolderMax);
    return QString::fromLocal8Bit(bytes_.data() + kFolder + 1, length);
}

bool IniRecord::reportMaximised() const { return bytes_[kReportState] == 'Y'; }

void IniRecord::setReportMaximised(bool maximised) { bytes_[kReportState] = maximised ? 'Y' : 'N'; }

QRect IniRecord::reportGeometry() const {
    return {integer(kReportLeft), integer(kReportTop), integer(kReportWidth), integer(kReportHeight)};
}

void IniRecord::setReportGeometry(const QRect& geometry) {
    setInteger(kReportLeft, geometry.left());
    setInteger(kReportTop, geometry.top());
    setInteger(kReportHeight, geometry.height());
    setInteger(kReportWidth, geometry.width());
}

}  // namespace pulmora::app
