#pragma once

class QWidget;

namespace ui {

// What turns the platform's input method on or off for a field that has just
// taken the focus. The program uses fcitx5 or IBus, whichever the session
// runs (see platformInputMethodSwitch); tests install their own.
class InputMethodSwitch {
public:
    virtual ~InputMethodSwitch() = default;
    // `field` has the focus; the platform's input context has been told.
    // Must not block: the answer of the input method may take its time.
    virtual void fieldFocused(QWidget* field, bool japanese) = 0;
};

// The switch for the session's input method, chosen on first use from the
// Qt input method module in use (QT_IM_MODULE): fcitx5 over its D-Bus
// controller, IBus over its own bus, or null when there is nothing to switch.
// Choosing costs no D-Bus traffic: it reuses the connection the module opened.
InputMethodSwitch* platformInputMethodSwitch();

// Replaces the platform's switch for the rest of the run; null puts the
// platform's back. Not owned.
void setInputMethodSwitch(InputMethodSwitch* replacement);

} // namespace ui
