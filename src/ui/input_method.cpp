#include "ui/input_method.h"

#include "ui/input_method_switch.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodQueryEvent>
#include <QLineEdit>

namespace ui {

namespace {

InputMethodSwitch* replacement = nullptr;

InputMethodSwitch* switchInUse()
{
    return replacement ? replacement : platformInputMethodSwitch();
}

} // namespace

void setInputMethodSwitch(InputMethodSwitch* s)
{
    replacement = s;
}

} // namespace ui

namespace {

const char* const kLanguageName = "inputLanguage";

// The language of one edit, kept as a child of it.
class FieldLanguage : public QObject {
public:
    explicit FieldLanguage(QLineEdit* edit) : QObject(edit), edit_(edit)
    {
        setObjectName(QString::fromLatin1(kLanguageName));
        edit->installEventFilter(this);
    }

    void setJapanese(bool japanese)
    {
        const bool changed = japanese != japanese_;
        japanese_ = japanese;
        stayed_ = false;
        edit_->setAttribute(Qt::WA_InputMethodEnabled, japanese);
        // Only for platforms that keep an input method on regardless
        // (on-screen keyboards): what to offer.
        edit_->setInputMethodHints(japanese ? Qt::ImhNone
                                            : Qt::ImhPreferLatin | Qt::ImhLatinOnly | Qt::ImhNoAutoUppercase
                                           | Qt::ImhNoPredictiveText);
        if (changed && edit_->hasFocus()) {
            QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
            switchSoon();
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::InputMethodQuery:
            return !japanese_ && answerDisabled(watched, static_cast<QInputMethodQueryEvent*>(event));
        case QEvent::FocusIn:
            // Back from another window or a popup menu without having left
            // the field: whatever the learner last chose here stays.
            if (!stayed_ || hidden_)
                switchSoon();
            stayed_ = hidden_ = false;
            break;
        case QEvent::FocusOut: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            stayed_ = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
            break;
        }
        case QEvent::Hide:
            // A dialog closed (not a window minimised): opened again, its
            // field is visited anew. The window loses the focus after this.
            if (!event->spontaneous())
                hidden_ = true;
            break;
        default: break;
        }
        return false;
    }

private:
    // The platform input contexts (fcitx5, IBus, compose) decide whether to
    // take the keys by asking the focused widget for Qt::ImEnabled. A line
    // edit answers that from its enabled and read-only state alone and
    // ignores Qt::WA_InputMethodEnabled, so the answer is turned off here.
    static bool answerDisabled(QObject* watched, QInputMethodQueryEvent* query)
    {
        if (!(query->queries() & Qt::ImEnabled))
            return false;
        watched->event(query); // the edit answers every other query
        query->setValue(Qt::ImEnabled, false);
        return true;
    }

    // The platform's input context follows the focus when Qt tells it, which
    // happens around the focus event; the switch is asked once the event loop
    // is back, after both.
    void switchSoon()
    {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!edit_->hasFocus())
                    return;
                if (ui::InputMethodSwitch* s = ui::switchInUse())
                    s->fieldFocused(edit_, japanese_);
            },
            Qt::QueuedConnection);
    }

    QLineEdit* edit_;
    bool japanese_ = true;
    bool stayed_ = false; // lost the focus only to another window or a popup
    bool hidden_ = false;
};

FieldLanguage* languageOf(QLineEdit* edit)
{
    QObject* language =
        edit->findChild<QObject*>(QString::fromLatin1(kLanguageName), Qt::FindDirectChildrenOnly);
    return language ? static_cast<FieldLanguage*>(language) : new FieldLanguage(edit);
}

} // namespace

void useEnglishInput(QLineEdit* edit)
{
    languageOf(edit)->setJapanese(false);
}

void useJapaneseInput(QLineEdit* edit)
{
    languageOf(edit)->setJapanese(true);
}
