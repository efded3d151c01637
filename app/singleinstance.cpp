#include "app/singleinstance.h"

#include <QDataStream>
#include <QFileInfo>
#include <QLocalSocket>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace SingleInstance {

const QString baseName = QStringLiteral("RIDezu.SingleInstanceApp");
const QByteArray activateMessage = QByteArrayLiteral("ACTIVATE_WINDOW");

QString serverName()
{
    const QString override = qEnvironmentVariable("RIDEZU_INSTANCE_NAME");
    if (!override.isEmpty())
        return override;
#ifdef Q_OS_UNIX
    const QString name = baseName + QLatin1Char('-') + QString::number(getuid());
    // A directory only this user can enter keeps others from taking the name first.
    const QFileInfo runtime(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    const auto othersAccess = QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther
        | QFileDevice::ExeOther;
    if (!runtime.filePath().isEmpty() && runtime.isDir() && runtime.ownerId() == getuid()
        && !(runtime.permissions() & othersAccess))
        return runtime.absoluteFilePath() + QLatin1Char('/') + name;
    return name;
#else
    return baseName;
#endif
}

QByteArray encodeFileList(const QStringList &files)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << files;
    return bytes;
}

QStringList decodeFileList(const QByteArray &bytes)
{
    QDataStream in(bytes);
    qint32 count = 0;
    in >> count;
    // Every string takes at least its 4-byte length, so a count beyond that
    // cannot be complete; checking it first keeps a bad count from
    // reserving memory.
    if (in.status() != QDataStream::Ok || count < 0 || count > (bytes.size() - 4) / 4)
        return {};
    QStringList files;
    for (qint32 n = 0; n < count; ++n) {
        QString file;
        in >> file;
        if (in.status() != QDataStream::Ok)
            return {};
        files.append(file);
    }
    return files;
}

bool peerIsSameUser(qintptr socketDescriptor)
{
#if defined(Q_OS_LINUX)
    struct ucred cred;
    socklen_t length = sizeof(cred);
    if (getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &cred, &length) != 0)
        return false;
    return cred.uid == getuid();
#elif defined(Q_OS_UNIX)
    uid_t uid = 0;
    gid_t gid = 0;
    if (getpeereid(int(socketDescriptor), &uid, &gid) != 0)
        return false;
    return uid == getuid();
#else
    Q_UNUSED(socketDescriptor);
    return true; // the pipe's access list admits only this user
#endif
}

bool handOver(const QString &name, const QStringList &files)
{
    QLocalSocket socket;
    socket.connectToServer(name, QIODevice::ReadWrite);
    if (!socket.waitForConnected(500))
        return false;
    if (!peerIsSameUser(socket.socketDescriptor())) {
        socket.abort();
        return false;
    }
    if (!files.isEmpty()) {
        socket.write(encodeFileList(files));
        socket.flush();
        socket.waitForBytesWritten(1000);
    }
    socket.write(activateMessage);
    socket.flush();
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

} // namespace SingleInstance

InstanceServer::InstanceServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceServer::acceptConnection);
}

bool InstanceServer::listen(const QString &name)
{
    if (m_server.isListening())
        m_server.close();
    QLocalServer::removeServer(name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(name);
}

void InstanceServer::acceptConnection()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        if (!SingleInstance::peerIsSameUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // Opening files may show message boxes; the bytes are handled after
        // the socket's notification has returned, so a client that leaves
        // meanwhile cannot pull the socket away under it.
        connect(socket, &QLocalSocket::readyRead, this, [this, socket]() {
            const QByteArray bytes = socket->readAll();
            QMetaObject::invokeMethod(
                this, [this, bytes]() { handleMessage(bytes); }, Qt::QueuedConnection);
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void InstanceServer::handleMessage(const QByteArray &bytes)
{
    if (bytes == SingleInstance::activateMessage) {
        emit activateRequested();
        return;
    }
    const QStringList files = SingleInstance::decodeFileList(bytes);
    for (const QString &file : files)
        emit openRequested(file);
}
