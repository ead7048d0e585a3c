#pragma once

#include "ui/input_method_switch.h"

#include <QDBusConnection>
#include <QObject>
#include <QPointer>

namespace ui {

// IBus, over the bus the Qt IBus module is connected to. IBus has no on/off
// per field: it runs one engine for the whole session. The closest it allows:
// when a Japanese field takes the focus while a keyboard layout is the
// engine, the engine becomes Mozc (SetGlobalEngine "mozc-jp"); then the
// engine of the focused input context is asked for hiragana (the property
// InputMode.Hiragana, which Mozc and IBus's other Japanese engines answer).
// English fields need nothing: their keys never reach IBus. Every call is
// asynchronous; the GUI never waits for IBus.
class IBusSwitch : public QObject, public InputMethodSwitch {
public:
    explicit IBusSwitch(const QDBusConnection& bus);

    void fieldFocused(QWidget* field, bool japanese) override;

private:
    void askHiragana(quint64 request);
    bool current(quint64 request) const;

    QDBusConnection bus_;
    QPointer<QWidget> field_;
    quint64 request_ = 0;
};

} // namespace ui
