#include "SingleInstance.h"

#include "programfiles/ProgramFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace pulmora::app {
namespace {
// One line per request: "show", then the start's notice after a blank when it has one.
const QByteArray kShow = QByteArrayLiteral("show");
}  // namespace

SingleInstance::SingleInstance(const QString& programFolder, QObject* parent) : QObject(parent) {
    // Without a folder there is none to lock; a folder that is not there is named as it was given.
    if (programFolder.isEmpty()) return;
    folder_ = QDir(programFolder).canonicalPath();
    if (folder_.isEmpty()) folder_ = QDir(programFolder).absolutePath();
}

SingleInstance::~SingleInstance() {
    if (lockFd_ >= 0) ::close(lockFd_);
}

QString SingleInstance::serverName() const {
    const QByteArray hash = QCryptographicHash::hash(folder_.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("pulmora-") + QString::fromLatin1(hash.left(16));
}

bool SingleInstance::ChkOtherCopy() {
    if (lockFd_ >= 0) return false;
    problem_.clear();
    if (folder_.isEmpty()) {
        // No diary folder could be found: there is nothing to guard, and a lock taken in the
        // working folder would guard nothing.
        problem_ = QStringLiteral("there is no diary folder to hold the lock");
        return false;
    }
    const QString path = QDir(folder_).filePath(program_files::kLock);
    auto fail = [&](const char* what) {
        problem_ = QStringLiteral("%1 %2 (%3)").arg(QDir::toNativeSeparators(path), what, std::strerror(errno));
        return false;
    };
    // For the owner only, like the diary. A link is not followed, so the lock never creates or
    // holds a file elsewhere.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return fail("could not be opened");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        if (!held) fail("could not be locked");
        ::close(fd);
        return held;
    }
    lockFd_ = fd;
    return false;
}

bool SingleInstance::ShowOtherCopy(const StartupNotice& notice) {
    if (!ChkOtherCopy()) return false;
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (socket.waitForConnected(1000)) {
        const QByteArray start = notice.encoded();
        socket.write(start.isEmpty() ? kShow + '\n' : kShow + ' ' + start + '\n');
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
    return true;
}

void SingleInstance::listen() {
    if (server_) return;
    server_ = new QLocalServer(this);
    // This copy holds the lock, so a socket left by a crashed copy is stale.
    QLocalServer::removeServer(serverName());
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(serverName());
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                while (socket->canReadLine()) {
                    const QByteArray line = socket->readLine().trimmed();
                    const qsizetype blank = line.indexOf(' ');
                    if (line.left(blank) == kShow)
                        emit showRequested(blank < 0 ? StartupNotice() : StartupNotice::decoded(line.mid(blank + 1)));
                }
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

}  // namespace pulmora::app
