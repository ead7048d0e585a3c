#include "ui/fcitx_switch.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace ui {

namespace {

const QString kService = QStringLiteral("org.fcitx.Fcitx5");
const QString kPath = QStringLiteral("/controller");
const QString kInterface = QStringLiteral("org.fcitx.Fcitx.Controller1");

// A call that never starts fcitx5: where it is installed but not running,
// D-Bus would otherwise launch it for us.
QDBusMessage controllerCall(const QString& method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setAutoStartService(false);
    return call;
}

} // namespace

FcitxSwitch::FcitxSwitch(const QDBusConnection& bus, QString program)
    : bus_(bus), program_(std::move(program))
{
}

void FcitxSwitch::fieldFocused(QWidget* field, bool japanese)
{
    if (!japanese && !switchedOn_)
        return;
    ++request_; // a later focus supersedes whatever is still waiting
    field_ = field;
    japanese_ = japanese;
    since_.start();
    whenFollowed(request_);
}

bool FcitxSwitch::current(quint64 request) const
{
    return request == request_ && field_ && field_->hasFocus();
}

void FcitxSwitch::whenFollowed(quint64 request)
{
    auto* watcher =
        new QDBusPendingCallWatcher(bus_.asyncCall(controllerCall(QStringLiteral("DebugInfo"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, request] {
        watcher->deleteLater();
        if (!current(request))
            return;
        const QDBusPendingReply<QString> reply = *watcher;
        if (reply.isError()) {
            // No fcitx5 on the bus (or one that cannot be asked): nothing to
            // switch. An fcitx5 without DebugInfo is switched at once.
            if (reply.error().type() == QDBusError::UnknownMethod)
                send(japanese_);
            return;
        }
        if (followed(reply.value()) || since_.elapsed() >= kFollowMs) {
            send(japanese_);
            return;
        }
        QTimer::singleShot(kPollMs, this, [this, request] {
            if (current(request))
                whenFollowed(request);
        });
    });
}

// DebugInfo lists the input contexts, one a line:
//   IC [uuid] program:lexiwren frontend:dbus cap:... focus:1
bool FcitxSwitch::followed(const QString& debugInfo) const
{
    const QString ours = QStringLiteral(" program:%1 ").arg(program_);
    const QStringList lines = debugInfo.split(QLatin1Char('\n'));
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
        return line.contains(ours) && (line + QLatin1Char(' ')).contains(QLatin1String(" focus:1 "));
    });
}

void FcitxSwitch::send(bool japanese)
{
    if (japanese)
        switchedOn_ = true;
    const QString method = japanese ? QStringLiteral("Activate") : QStringLiteral("Deactivate");
    bus_.asyncCall(controllerCall(method));
}

} // namespace ui
