#include "app/instance_channel.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

#include <cerrno>
#include <cstring>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray kRequest = "come forward\n";
const QByteArray kAnswer = "coming\n";

// The socket's address, or false when the path does not fit one.
bool addressOf(const QString& path, sockaddr_un& address)
{
    const QByteArray native = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (native.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    return true;
}

// Reads what has come on a non-blocking socket; false once it is closed or
// broken.
bool readMore(int fd, QByteArray& into)
{
    char buffer[64];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, n);
            if (into.size() > 256)
                return false; // no line of ours is that long
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

} // namespace

InstanceChannel::InstanceChannel(QString key, QObject* parent) : QObject(parent), path_(socketPath(key))
{
}

InstanceChannel::~InstanceChannel()
{
    if (listener_ >= 0) {
        ::close(listener_);
        ::unlink(QFile::encodeName(path_).constData());
    }
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
    sockaddr_un address;
    if (listener_ >= 0 || !addressOf(path_, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // The caller holds the word file's lock, so a socket standing here was
    // left by a copy that ended without removing it.
    ::unlink(address.sun_path);
    // The socket is the user's alone, like the runtime folder it lies in.
    const mode_t mask = ::umask(077);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::umask(mask);
    if (!bound || ::listen(fd, 4) != 0) {
        ::close(fd);
        return false;
    }
    listener_ = fd;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &InstanceChannel::acceptKnock);
    return true;
}

void InstanceChannel::acceptKnock()
{
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0)
        return;
    // The knock is read as it comes, so a caller that says nothing holds
    // nothing up.
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    auto received = std::make_shared<QByteArray>();
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier, fd, received] {
        const bool open = readMore(fd, *received);
        if (open && !received->contains('\n'))
            return;
        if (*received == kRequest) {
            emit comeForward();
            // A few bytes into an empty socket: taken at once or never.
            [[maybe_unused]] const ssize_t written =
                ::send(fd, kAnswer.constData(), size_t(kAnswer.size()), MSG_NOSIGNAL);
        }
        notifier->setEnabled(false);
        notifier->deleteLater();
        ::close(fd);
    });
}

bool InstanceChannel::knock(const QString& key, int timeoutMs)
{
    sockaddr_un address;
    if (!addressOf(socketPath(key), address))
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            bool answered = false;
            if (::send(fd, kRequest.constData(), size_t(kRequest.size()), MSG_NOSIGNAL) == kRequest.size()) {
                QByteArray reply;
                while (!reply.contains('\n')) {
                    pollfd wait{fd, POLLIN, 0};
                    if (::poll(&wait, 1, int(deadline.remainingTime())) <= 0)
                        break;
                    char buffer[64];
                    const ssize_t n = ::read(fd, buffer, sizeof buffer);
                    if (n <= 0)
                        break;
                    reply.append(buffer, n);
                }
                answered = reply == kAnswer;
            }
            ::close(fd);
            return answered;
        }
        ::close(fd);
        // Nobody listening (yet): a copy that took the lock a moment ago
        // opens its socket shortly after.
        if (deadline.remainingTime() <= 50)
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
