// The speech module: Qt TextToSpeech behind the small interface the engine
// thread uses. Only the program loads it, with QLibrary, on first use.
#include "engine.h"

#include <QTextToSpeech>

namespace speech {

namespace {

EngineState stateOf(QTextToSpeech::State state)
{
    switch (state) {
    case QTextToSpeech::Ready: return EngineState::Ready;
    case QTextToSpeech::Speaking: return EngineState::Speaking;
    case QTextToSpeech::Paused: return EngineState::Paused;
    default: return EngineState::Error;
    }
}

class TtsEngine final : public Engine {
public:
    TtsEngine(const QString& engine, std::function<void(EngineState)> onState) : tts_(engine)
    {
        QObject::connect(&tts_, &QTextToSpeech::stateChanged,
                         [report = std::move(onState)](QTextToSpeech::State s) { report(stateOf(s)); });
    }

    EngineState state() const override { return stateOf(tts_.state()); }
    QList<QLocale> locales() const override { return tts_.availableLocales(); }
    void setLocale(const QLocale& locale) override { tts_.setLocale(locale); }
    QStringList voices() const override
    {
        QStringList names;
        for (const QVoice& v : tts_.availableVoices())
            names << v.name();
        return names;
    }
    void setVoice(int index) override
    {
        const QList<QVoice> voices = tts_.availableVoices();
        if (index >= 0 && index < voices.size())
            tts_.setVoice(voices[index]);
    }
    void say(const QString& text) override { tts_.say(text); }
    void stop() override { tts_.stop(); }

private:
    QTextToSpeech tts_;
};

QStringList engines()
{
    return QTextToSpeech::availableEngines();
}

Engine* open(const QString& engine, std::function<void(EngineState)> onState)
{
    return new TtsEngine(engine, std::move(onState));
}

constexpr EngineModule kModule{kEngineModuleVersion, &engines, &open};

} // namespace

} // namespace speech

extern "C" Q_DECL_EXPORT const speech::EngineModule* lexiwren_speech_engine_module()
{
    return &speech::kModule;
}
