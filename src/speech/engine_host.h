#pragma once

#include "speech/speaker.h"

#include <QObject>
#include <memory>

namespace speech {

class Engine;

// The engine on its own thread: every call into it may block (on a socket
// to speech-dispatcher), so only this thread makes them. It reports back
// through signals, which reach the Speaker on the GUI thread.
class EngineHost : public QObject {
    Q_OBJECT
public:
    explicit EngineHost(SpeechSettings settings);
    ~EngineHost() override;

    void start();
    void say(const QString& text);
    void stop();
    void useLocale(const QLocale& locale);
    // Closes the engine and ends the thread.
    void shutDown();

signals:
    // The engine is ready to speak with this voice, or not, for this reason.
    void voiceReady(bool ok, const QString& voiceOrReason);
    // An EngineState.
    void engineState(int state);
    void answered(quint64 request);

private:
    SpeechSettings settings_;
    std::unique_ptr<Engine> tts_;
};

} // namespace speech
