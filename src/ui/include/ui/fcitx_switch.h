#pragma once

#include "ui/input_method_switch.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

namespace ui {

// fcitx5, through its D-Bus controller (org.fcitx.Fcitx5 at /controller):
// Activate turns the input method on for the input context that has the
// focus, Deactivate turns it off. fcitx5 keeps that state per input context,
// and its Qt frontend makes one context per window, a moment after the window
// first takes the focus. So the controller's DebugInfo is read until it shows
// a context of this program with the focus, and only then is the switch sent:
// so it reaches the field's own window, a dialog opened for the first time
// included. Every call is asynchronous; the GUI never waits for fcitx5.
class FcitxSwitch : public QObject, public InputMethodSwitch {
public:
    // `program` is the name the frontend gives fcitx5 for this program: the
    // executable's file name.
    FcitxSwitch(const QDBusConnection& bus, QString program);

    void fieldFocused(QWidget* field, bool japanese) override;

    // How long the focus may take to reach fcitx5 before the switch is sent
    // regardless, and how often it is looked for meanwhile.
    static constexpr int kFollowMs = 2000;
    static constexpr int kPollMs = 20;

private:
    void whenFollowed(quint64 request);
    bool current(quint64 request) const;
    bool followed(const QString& debugInfo) const;
    void send(bool japanese);

    QDBusConnection bus_;
    QString program_;
    QPointer<QWidget> field_;
    bool japanese_ = false;
    quint64 request_ = 0;
    QElapsedTimer since_;
    // Nothing is switched off before something was switched on: until then
    // fcitx5 starts every context of ours off, and an English field that
    // takes the focus at start costs no D-Bus traffic.
    bool switchedOn_ = false;
};

} // namespace ui
