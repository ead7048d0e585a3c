#include "engine_host.h"

#include "engine_loader.h"
#include "voice_choice.h"

#include <QThread>

namespace speech {

EngineHost::EngineHost(SpeechSettings settings) : settings_(std::move(settings))
{
}

EngineHost::~EngineHost() = default;

void EngineHost::start()
{
    QString problem;
    const EngineModule* module =
        loadEngineModule(settings_.module.isEmpty() ? defaultEngineModule() : settings_.module, &problem);
    if (!module) {
        qWarning("speech: %s", qPrintable(problem));
        emit voiceReady(false, reason::noModule());
        return;
    }
    if (!module->engines().contains(settings_.engine)) {
        emit voiceReady(false, reason::noEngine());
        return;
    }
    // speech-dispatcher is connected to (and started, when it is not
    // running) and asked for all its voices here.
    tts_.reset(module->open(settings_.engine, [this](EngineState s) { emit engineState(int(s)); }));
    if (tts_->state() == EngineState::Error) {
        emit voiceReady(false, reason::cannotStart(settings_.engine));
        return;
    }
    useLocale(settings_.locale);
}

void EngineHost::useLocale(const QLocale& wanted)
{
    if (!tts_)
        return;
    QList<QLocale> english;
    for (const QLocale& l : tts_->locales()) {
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
    const QStringList names = tts_->voices();
    const int best = bestVoice(names, locale);
    if (best < 0) {
        emit voiceReady(false, reason::noEnglishVoice());
        return;
    }
    tts_->setVoice(best);
    if (tts_->state() == EngineState::Error) {
        emit voiceReady(false, reason::failed());
        return;
    }
    emit voiceReady(true, names[best]);
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
