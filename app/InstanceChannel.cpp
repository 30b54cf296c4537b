#include "InstanceChannel.h"

#include "core/ProgramFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QTimer>

#include <optional>

namespace kestrane {

namespace {
constexpr qint64 kMaxLine = 64;
constexpr int kPeerTimeoutMs = 2000;

QByteArray answerFor(InstanceChannel::Raised r)
{
    switch (r) {
    case InstanceChannel::Raised::Raised:
        return "raised\n";
    case InstanceChannel::Raised::Refused:
        break;
    }
    return "refused\n";
}
} // namespace

InstanceChannel::InstanceChannel(const QString& folder, QObject* parent)
    : QObject(parent), m_name(nameFor(folder))
{
}

QString InstanceChannel::nameFor(const QString& folder)
{
    const QByteArray where = QDir(folder).canonicalPath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(where, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("kestrane-%1-%2")
        .arg(ProgramFiles::hostTag(), QString::fromLatin1(hash.left(16)));
}

bool InstanceChannel::listen(std::function<Raised()> raise)
{
    m_raise = std::move(raise);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection())
            serve(socket);
    });
    if (m_server.listen(m_name))
        return true;
    // A socket left by a run that crashed: this program holds the lock, so
    // the name is its own.
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name);
}

void InstanceChannel::serve(QLocalSocket* socket)
{
    // A peer that says nothing, or too much, is dropped; it never holds the
    // program up.
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kPeerTimeoutMs, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kMaxLine)
                socket->abort();
            return;
        }
        const QByteArray line = socket->readLine(kMaxLine).trimmed();
        const QByteArray answer = line == "raise" && m_raise ? answerFor(m_raise()) : "?\n";
        socket->write(answer);
        socket->disconnectFromServer();
    });
}

std::optional<InstanceChannel::Raised> InstanceChannel::askToRaise(int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return std::nullopt;
    socket.write("raise\n");
    if (!socket.waitForBytesWritten(timeoutMs))
        return std::nullopt;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return std::nullopt;
    }
    const QByteArray answer = socket.readLine(kMaxLine).trimmed();
    if (answer == "raised")
        return Raised::Raised;
    if (answer == "refused")
        return Raised::Refused;
    return std::nullopt;
}

} // namespace kestrane
