#include "ui/fcitx_switch.h"
#include "ui/ibus_switch.h"
#include "ui/input_method_switch.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QFileInfo>

#include <memory>

namespace ui {

namespace {

// The connections the Qt input method modules open for themselves: fcitx5's
// frontend to the session bus, Qt's IBus module to IBus's own bus. Looking
// one up by name neither connects nor blocks, and a module that is not in
// use has none.
const QString kFcitxConnection = QStringLiteral("fcitx");
const QString kIBusConnection = QStringLiteral("QIBusProxy");

std::unique_ptr<InputMethodSwitch> choose()
{
    const QByteArray module = qgetenv("QT_IM_MODULE").trimmed().toLower();
    if (module == "fcitx" || module == "fcitx5") {
        const QDBusConnection bus(kFcitxConnection);
        if (bus.isConnected())
            return std::make_unique<FcitxSwitch>(
                bus, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    } else if (module == "ibus") {
        const QDBusConnection bus(kIBusConnection);
        if (bus.isConnected())
            return std::make_unique<IBusSwitch>(bus);
    }
    return nullptr;
}

} // namespace

InputMethodSwitch* platformInputMethodSwitch()
{
    static const std::unique_ptr<InputMethodSwitch> chosen = choose();
    return chosen.get();
}

} // namespace ui
