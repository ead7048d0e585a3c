#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QWidget;

namespace speech {
class Speaker;
}

namespace assist {

// A control that reads a word or a sentence aloud: a button, and
// optionally a keyboard shortcut, that speak whatever `text` gives at that
// moment. While the speaker cannot speak, the button is disabled and its
// tooltip and accessible description say why; while there is nothing to
// speak it is disabled too. Neither creates the engine before first use.
class SpeakControl : public QObject {
    Q_OBJECT
public:
    // The one shortcut every speak control shares.
    static QKeySequence defaultKeys() { return QKeySequence(Qt::Key_F5); }

    SpeakControl(QAbstractButton* button, speech::Speaker* speaker, std::function<QString()> text);

    // The shortcut speaks too, while the focus is within `scope` (a panel
    // or a dialog) and `scope` is shown.
    void addShortcut(QWidget* scope, const QKeySequence& keys = defaultKeys());
    // Names the shortcut in the tooltip, for a shortcut shared with other
    // controls (addSharedShortcut) that speaks through this one.
    void showShortcut(const QKeySequence& keys = defaultKeys());
    // Speaks now, as the button does.
    void speakNow();
    // Enables or disables the button anew: after what it would speak changed.
    void refresh();

private:
    QPointer<QAbstractButton> button_;
    speech::Speaker* speaker_;
    std::function<QString()> text_;
    QString toolTip_;
};

// One shortcut for a panel with several speak controls: it speaks through
// whichever `pick` names at that moment (by where the focus is), or none.
// The controls should showShortcut() it.
void addSharedShortcut(QWidget* scope, std::function<SpeakControl*()> pick,
                       const QKeySequence& keys = SpeakControl::defaultKeys());

} // namespace assist
