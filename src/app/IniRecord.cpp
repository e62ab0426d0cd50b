#include "IniRecord.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace pulmora::app {
namespace {
constexpr int kMainLeft = 40, kMainTop = 44, kFolder = 48, kFolderMax = 100, kReportState = 149;
constexpr int kReportLeft = 152, kReportTop = 156, kReportHeight = 160, kReportWidth = 164;

bool writeFully(int fd, const char* data, size_t size, const FileCalls& calls) {
    while (size > 0) {
        const ssize_t n = calls.write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// The permissions the new file takes: those of the plain file it replaces, else owner only.
mode_t modeFor(const QByteArray& path) {
    struct stat old {};
    if (::lstat(path.constData(), &old) == 0 && S_ISREG(old.st_mode)) return old.st_mode & 07777;
    return S_IRUSR | S_IWUSR;
}

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

bool IniRecord::write(const QString& path, const FileCalls& calls) const {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = target + ".new";
    // A file of that name is the leftover of a write that was cut short.
    if (::unlink(temp.constData()) != 0 && errno != ENOENT) return false;
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) return false;
    // Each step is checked: a write can be accepted into the cache and fail only when it is
    // synced or closed, and renaming an incomplete file over the old one would lose the settings.
    bool written = ::fchmod(fd, modeFor(target)) == 0 && writeFully(fd, bytes_.data(), kSize, calls) &&
                   calls.fsync(fd) == 0;
    written = calls.close(fd) == 0 && written;
    if (!written || calls.rename(temp.constData(), target.constData()) != 0) {
        ::unlink(temp.constData());  // a leftover would only be removed by the next write
        return false;
    }
    // So that a crash cannot bring back the old file; the new one is in place either way.
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

qint32 IniRecord::integer(int offset) const {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | quint8(bytes_[size_t(offset + i)]);
    return qint32(v);
}

void IniRecord::setInteger(int offset, qint32 value) {
    const auto v = quint32(value);
    for (int i = 0; i < 4; ++i) bytes_[size_t(offset + i)] = char((v >> (8 * i)) & 0xFF);
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
