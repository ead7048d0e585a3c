#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

namespace speech {

// What the engine says of itself, as Qt TextToSpeech's states.
enum class EngineState { Ready, Speaking, Paused, Error };

// One Qt TextToSpeech engine as the engine thread drives it. It lives in a
// module of its own, liblexiwren_speech_engine.so, loaded when the learner
// first asks to hear something: a start that never speaks neither maps Qt
// TextToSpeech nor pays for its relocations.
class Engine {
public:
    virtual ~Engine() = default;
    virtual EngineState state() const = 0;
    virtual QList<QLocale> locales() const = 0;
    virtual void setLocale(const QLocale& locale) = 0;
    // The voices of the locale set, by name; setVoice takes an index into
    // them.
    virtual QStringList voices() const = 0;
    virtual void setVoice(int index) = 0;
    virtual void say(const QString& text) = 0;
    virtual void stop() = 0;
};

// Raised whenever the interface above changes, so that a module left from
// another build is refused rather than called wrongly.
constexpr int kEngineModuleVersion = 1;

// The module's one entry point, lexiwren_speech_engine_module().
struct EngineModule {
    int version;
    // The engines Qt TextToSpeech finds installed.
    QStringList (*engines)();
    // The engine of that name; `onState` hears its states, on the thread
    // that made it.
    Engine* (*open)(const QString& engine, std::function<void(EngineState)> onState);
};

inline constexpr char kEngineModuleEntry[] = "lexiwren_speech_engine_module";

} // namespace speech
