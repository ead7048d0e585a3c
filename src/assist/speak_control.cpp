#include "assist/speak_control.h"

#include "speech/speaker.h"
#include "ui/plain_text.h"

#include <QAbstractButton>
#include <QShortcut>

namespace assist {

SpeakControl::SpeakControl(QAbstractButton* button, speech::Speaker* speaker, std::function<QString()> text)
    : QObject(button), button_(button), speaker_(speaker), text_(std::move(text))
{
    if (button_->accessibleName().isEmpty())
        button_->setAccessibleName(QStringLiteral("発音を聞く"));
    toolTip_ = QStringLiteral("発音を聞く");
    connect(button_, &QAbstractButton::clicked, this, &SpeakControl::speakNow);
    connect(speaker_, &speech::Speaker::stateChanged, this, &SpeakControl::refresh);
    refresh();
}

void SpeakControl::addShortcut(QWidget* scope, const QKeySequence& keys)
{
    auto* shortcut = new QShortcut(keys, scope);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, &SpeakControl::speakNow);
    showShortcut(keys);
}

void SpeakControl::showShortcut(const QKeySequence& keys)
{
    toolTip_ = QStringLiteral("発音を聞く（%1）").arg(keys.toString(QKeySequence::NativeText));
    refresh();
}

void SpeakControl::speakNow()
{
    if (!button_ || !button_->isEnabled())
        return;
    speaker_->speak(text_());
}

void SpeakControl::refresh()
{
    if (!button_)
        return;
    const bool available = speaker_->available();
    button_->setEnabled(available && !text_().trimmed().isEmpty());
    ui::setPlainToolTip(button_, available ? toolTip_ : speaker_->reason());
    button_->setAccessibleDescription(available ? QString() : speaker_->reason());
}

void addSharedShortcut(QWidget* scope, std::function<SpeakControl*()> pick, const QKeySequence& keys)
{
    auto* shortcut = new QShortcut(keys, scope);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, scope, [pick = std::move(pick)] {
        if (SpeakControl* control = pick())
            control->speakNow();
    });
}

} // namespace assist
