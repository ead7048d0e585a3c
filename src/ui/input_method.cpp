#include "ui/input_method.h"

#include <QInputMethodQueryEvent>
#include <QLineEdit>

namespace {

const char* const kSwitchName = "inputMethodOff";

// The platform input contexts (fcitx5, IBus, XIM, compose) decide whether
// to take the keys by asking the focused widget for Qt::ImEnabled. A line
// edit answers that from its enabled and read-only state alone and ignores
// Qt::WA_InputMethodEnabled, so the answer is turned off here.
class InputMethodOff : public QObject {
public:
    explicit InputMethodOff(QLineEdit* edit) : QObject(edit)
    {
        setObjectName(QString::fromLatin1(kSwitchName));
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::InputMethodQuery)
            return false;
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        if (!(query->queries() & Qt::ImEnabled))
            return false;
        watched->event(event); // the edit answers every other query
        query->setValue(Qt::ImEnabled, false);
        return true;
    }
};

QObject* switchOf(QLineEdit* edit)
{
    return edit->findChild<QObject*>(QString::fromLatin1(kSwitchName), Qt::FindDirectChildrenOnly);
}

} // namespace

void useEnglishInput(QLineEdit* edit)
{
    if (!switchOf(edit))
        new InputMethodOff(edit);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    // Only for platforms that keep an input method on regardless (on-screen
    // keyboards): what to offer.
    edit->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhLatinOnly | Qt::ImhNoAutoUppercase
                              | Qt::ImhNoPredictiveText);
}

void useJapaneseInput(QLineEdit* edit)
{
    delete switchOf(edit);
    edit->setAttribute(Qt::WA_InputMethodEnabled, true);
    edit->setInputMethodHints(Qt::ImhNone);
}
