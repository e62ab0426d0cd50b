#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pulmora::app {
namespace {
const char kShow[] = "show\n";
}

SingleInstance::SingleInstance(const QString& programFolder, QObject* parent)
    : QObject(parent), folder_(QDir(programFolder).canonicalPath()) {}

SingleInstance::~SingleInstance() {
    if (lockFd_ >= 0) ::close(lockFd_);
}

QString SingleInstance::serverName() const {
    const QByteArray hash = QCryptographicHash::hash(folder_.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("pulmora-") + QString::fromLatin1(hash.left(16));
}

bool SingleInstance::ChkOtherCopy() {
    if (lockFd_ >= 0) return false;
    const QByteArray path = QDir(folder_).filePath("pulmora.lock").toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;  // a folder we cannot lock in: run rather than refuse
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return true;
    }
    lockFd_ = fd;
    return false;
}

bool SingleInstance::ShowOtherCopy() {
    if (!ChkOtherCopy()) return false;
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (socket.waitForConnected(1000)) {
        socket.write(kShow);
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
                if (socket->readAll().contains("show")) emit showRequested();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

}  // namespace pulmora::app
