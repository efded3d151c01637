#pragma once

// One running instance per user. A second start hands its files to the
// running instance over a local socket and exits; the first one listens.
//
// What travels: the file list as a data stream of a string list (a 32-bit
// big-endian count, then per path a 32-bit big-endian byte length and the
// path in UTF-16 big-endian), then the 15 bytes "ACTIVATE_WINDOW".

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QStringList>

namespace SingleInstance {

// Name of the server before it is made personal.
extern const QString baseName;
extern const QByteArray activateMessage;

// Name of this user's server. The environment variable RIDEZU_INSTANCE_NAME
// replaces it (tests use it so they never meet a running program). On Unix
// the name carries the user id and lives in the user's private runtime
// directory when there is one, because a socket name is visible to all users.
QString serverName();

QByteArray encodeFileList(const QStringList &files);
// An empty list when the bytes hold no complete list; bytes after it are ignored.
QStringList decodeFileList(const QByteArray &bytes);

// True when the other end of a connected local socket runs as this user.
bool peerIsSameUser(qintptr socketDescriptor);

// Client side: sends the files and the activation to a running instance.
// Returns false when no instance of this user answered within 500 ms.
bool handOver(const QString &name, const QStringList &files);

} // namespace SingleInstance

// Server side, owned by the running instance.
class InstanceServer : public QObject
{
    Q_OBJECT

public:
    explicit InstanceServer(QObject *parent = nullptr);

    // Takes the name, removing a stale socket first; reachable only by this user.
    bool listen(const QString &name);
    QString fullServerName() const { return m_server.fullServerName(); }

    // What one read of a client means: the activation, or a file list.
    void handleMessage(const QByteArray &bytes);

signals:
    void openRequested(const QString &filePath);
    void activateRequested();

private:
    void acceptConnection();

    QLocalServer m_server;
};
