#include "engine_host.h"

#include "voice_choice.h"

#include <QTextToSpeech>
#include <QThread>

namespace speech {

EngineHost::EngineHost(SpeechSettings settings) : settings_(std::move(settings))
{
}

EngineHost::~EngineHost() = default;

void EngineHost::start()
{
    if (!QTextToSpeech::availableEngines().contains(settings_.engine)) {
        emit voiceReady(false, reason::noEngine());
        return;
    }
    // speech-dispatcher is connected to (and started, when it is not
    // running) and asked for all its voices here.
    tts_ = std::make_unique<QTextToSpeech>(settings_.engine);
    if (tts_->state() == QTextToSpeech::Error) {
        emit voiceReady(false, reason::cannotStart(settings_.engine));
        return;
    }
    connect(tts_.get(), &QTextToSpeech::stateChanged, this,
            [this](QTextToSpeech::State s) { emit engineState(s); });
    useLocale(settings_.locale);
}

void EngineHost::useLocale(const QLocale& wanted)
{
    if (!tts_)
        return;
    QList<QLocale> english;
    for (const QLocale& l : tts_->availableLocales()) {
        if (l.language() == QLocale::English)
            english << l;
    }
    if (english.isEmpty()) {
        emit voiceReady(false, reason::noEnglishVoice());
        return;
    }
    QLocale locale = english.front();
    for (const QLocale& choice : QList<QLocale>{wanted} + Speaker::englishLocales()) {
        if (english.contains(choice)) {
            locale = choice;
            break;
        }
    }
    tts_->setLocale(locale);
    const QList<QVoice> voices = tts_->availableVoices();
    QStringList names;
    for (const QVoice& v : voices)
        names << v.name();
    const int best = bestVoice(names, locale);
    if (best < 0) {
        emit voiceReady(false, reason::noEnglishVoice());
        return;
    }
    tts_->setVoice(voices[best]);
    if (tts_->state() == QTextToSpeech::Error) {
        emit voiceReady(false, reason::failed());
        return;
    }
    emit voiceReady(true, voices[best].name());
}

void EngineHost::say(const QString& text)
{
    if (!tts_)
        return;
    // What was asked before goes, whether it is being spoken or still
    // waits its turn in speech-dispatcher's queue (the engine's own say()
    // cancels only the first).
    tts_->stop();
    tts_->say(text);
}

void EngineHost::stop()
{
    if (tts_)
        tts_->stop();
}

void EngineHost::shutDown()
{
    tts_.reset();
    QThread::currentThread()->quit();
}

} // namespace speech
