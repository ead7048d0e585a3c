#include "app/instance_channel.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

#include <algorithm>

namespace {

const QByteArray kRequest = "come forward\n";
const QByteArray kAnswer = "coming\n";

} // namespace

InstanceChannel::InstanceChannel(QString key, QObject* parent) : QObject(parent), path_(socketPath(key))
{
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    });
}

QString InstanceChannel::socketPath(const QString& key)
{
    // A hash keeps the name short whatever the key (socket paths are limited
    // to about a hundred bytes) and tells nothing about where the key points.
    const QByteArray hash =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("lexiwren-%1").arg(QString::fromLatin1(hash)));
}

bool InstanceChannel::listen()
{
    QLocalServer::removeServer(path_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(path_);
}

void InstanceChannel::answer(QLocalSocket* socket)
{
    if (!socket->canReadLine())
        return;
    if (socket->readLine() != kRequest) {
        socket->abort();
        return;
    }
    emit comeForward();
    socket->write(kAnswer);
    socket->disconnectFromServer();
}

bool InstanceChannel::knock(const QString& key, int timeoutMs)
{
    const QString path = socketPath(key);
    QElapsedTimer clock;
    clock.start();
    const auto left = [&] { return std::max(0, timeoutMs - static_cast<int>(clock.elapsed())); };
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (socket.waitForConnected(left())) {
            socket.write(kRequest);
            if (!socket.waitForBytesWritten(left()))
                return false;
            while (!socket.canReadLine()) {
                if (!socket.waitForReadyRead(left()))
                    return false;
            }
            return socket.readLine() == kAnswer;
        }
        // Nobody listening (yet): a copy that took the lock a moment ago
        // opens its socket shortly after.
        if (left() <= 50)
            return false;
        QThread::msleep(50);
    }
}

void bringForward(QWidget* window)
{
    if (window) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
    }
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window) {
        modal->raise();
        modal->activateWindow();
    }
}
