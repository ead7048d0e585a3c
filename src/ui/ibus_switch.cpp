#include "ui/ibus_switch.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QWidget>

namespace ui {

namespace {

const QString kService = QStringLiteral("org.freedesktop.IBus");
const QString kPath = QStringLiteral("/org/freedesktop/IBus");
const QString kJapaneseEngine = QStringLiteral("mozc-jp");
const QString kHiragana = QStringLiteral("InputMode.Hiragana");
constexpr uint kChecked = 1; // IBUS_PROP_STATE_CHECKED

QDBusMessage ibusCall(const QString& method, const QVariantList& arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, method);
    call.setArguments(arguments);
    return call;
}

// The engine's name in GetGlobalEngine's answer, an IBusEngineDesc: a
// structure of its type name, its attachments and then the engine's name.
QString engineName(const QDBusMessage& reply)
{
    if (reply.arguments().isEmpty())
        return {};
    const QVariant desc = reply.arguments().constFirst().value<QDBusVariant>().variant();
    if (!desc.canConvert<QDBusArgument>())
        return {};
    const QDBusArgument arg = desc.value<QDBusArgument>();
    QString type, name;
    arg.beginStructure();
    arg >> type;
    arg.beginMap();
    while (!arg.atEnd()) {
        QString key;
        QDBusVariant value;
        arg.beginMapEntry();
        arg >> key >> value;
        arg.endMapEntry();
    }
    arg.endMap();
    arg >> name;
    return name;
}

} // namespace

IBusSwitch::IBusSwitch(const QDBusConnection& bus) : bus_(bus)
{
}

bool IBusSwitch::current(quint64 request) const
{
    return request == request_ && field_ && field_->hasFocus();
}

void IBusSwitch::fieldFocused(QWidget* field, bool japanese)
{
    ++request_;
    field_ = field;
    if (!japanese)
        return;
    const quint64 request = request_;
    auto* watcher =
        new QDBusPendingCallWatcher(bus_.asyncCall(ibusCall(QStringLiteral("GetGlobalEngine"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, request] {
        watcher->deleteLater();
        if (!current(request))
            return;
        const QString engine = watcher->isError() ? QString() : engineName(watcher->reply());
        if (!engine.isEmpty() && !engine.startsWith(QLatin1String("xkb:"))) {
            askHiragana(request); // a Japanese engine of the learner's choice stays
            return;
        }
        // IBus answers once the new engine runs, ready to be asked for a mode.
        auto* set = new QDBusPendingCallWatcher(
            bus_.asyncCall(ibusCall(QStringLiteral("SetGlobalEngine"), {kJapaneseEngine})), this);
        connect(set, &QDBusPendingCallWatcher::finished, this, [this, set, request] {
            set->deleteLater();
            if (!set->isError() && current(request))
                askHiragana(request);
        });
    });
}

void IBusSwitch::askHiragana(quint64 request)
{
    auto* watcher =
        new QDBusPendingCallWatcher(bus_.asyncCall(ibusCall(QStringLiteral("CurrentInputContext"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, request] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> context = *watcher;
        if (context.isError() || !current(request))
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(
            kService, context.value().path(), QStringLiteral("org.freedesktop.IBus.InputContext"),
            QStringLiteral("PropertyActivate"));
        call.setArguments({kHiragana, kChecked});
        bus_.asyncCall(call);
    });
}

} // namespace ui
