#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QWidget;

// How a later start reaches the copy that is already running: a local socket
// in the user's runtime folder (XDG_RUNTIME_DIR), named after a key the
// caller passes, so that the channel follows the lock it stands beside. Only
// the copy that holds the lock listens; a later start knocks, the running
// copy brings its window forward and answers, and the later start ends.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QString key, QObject* parent = nullptr);
    // Stops listening and removes the socket.
    ~InstanceChannel() override;
    InstanceChannel(const InstanceChannel&) = delete;
    InstanceChannel& operator=(const InstanceChannel&) = delete;

    // The running copy: starts listening, replacing whatever socket a copy
    // that ended without cleaning up left behind (the caller holds the lock,
    // so no other copy can be listening there). False when no socket can be
    // made; the copy then runs unreachable.
    bool listen();

    // A later start: asks the copy listening for `key` to come forward and
    // waits for its answer. A copy still starting up has the time to begin
    // listening. False when no copy answered within `timeoutMs`: none is
    // running, or the one that holds the lock hangs.
    static bool knock(const QString& key, int timeoutMs = kTimeoutMs);

    static QString socketPath(const QString& key);

    static constexpr int kTimeoutMs = 3000;

signals:
    // A later start asked for the window.
    void comeForward();

private:
    // A plain local socket watched by the event loop: Qt's own local socket
    // classes would bring the network library, and with it Kerberos, into
    // every start, for one line read now and then.
    void acceptKnock();

    QString path_;
    int listener_ = -1;
};

// Brings the window (when there is one yet) to the front: shown, no longer
// minimised, raised and active; a modal dialog open over it comes along, on
// top.
void bringForward(QWidget* window);
