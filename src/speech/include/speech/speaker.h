#pragma once

#include <QLocale>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QThread;

namespace speech {

class EngineHost;

// Which voice speaks, and how long the engine may take before it counts as
// failed. The engine is a Qt TextToSpeech plugin: speech-dispatcher (with
// espeak-ng) on Debian.
struct SpeechSettings {
    QString engine = QStringLiteral("speechd");
    // The module that holds the engine (see engine.h); none: where the
    // program's own is.
    QString module;
    QLocale locale = QLocale(QLocale::English, QLocale::UnitedStates);
    // Creating the engine lists every voice of every synthesiser, which
    // takes seconds; a speech-dispatcher that accepts but never answers
    // would keep it waiting for ever.
    int startLimitMs = 20000;
    // Any other call the engine does not take up in this time.
    int answerLimitMs = 5000;
    // Speaking that has not ended this long after it was asked (plus a
    // fifth of a second per character) never reaches a loudspeaker.
    int playLimitMs = 6000;
};

// Reads English words and sentences aloud. Nothing happens when it is made:
// the engine is created on first use, on a thread of its own, so neither the
// start nor the GUI ever waits for it; whatever the engine does not answer
// in time makes the speaker unavailable, with the reason in Japanese for
// the controls' tooltip and accessible description. Lives on the GUI thread.
class Speaker : public QObject {
    Q_OBJECT
public:
    enum class State { NotStarted, Starting, Ready, Speaking, Unavailable };
    Q_ENUM(State)

    explicit Speaker(SpeechSettings settings = {}, QObject* parent = nullptr);
    // Waits a moment for the engine to close; an engine stuck in a call is
    // left to end with the program.
    ~Speaker() override;

    // The English voices a learner can choose between.
    static QList<QLocale> englishLocales();

    // Creates the engine now, before anything is spoken.
    void prepare();
    // Speaks the text, in place of anything still being spoken; the first
    // call creates the engine and speaks once it is ready.
    void speak(const QString& text);
    void stop();
    // The English of another country; the nearest English voice otherwise.
    void setLocale(const QLocale& locale);

    State state() const { return state_; }
    bool available() const { return state_ != State::Unavailable; }
    // Why the speaker is unavailable, or empty.
    const QString& reason() const { return reason_; }
    // The voice that speaks, once ready.
    const QString& voiceName() const { return voice_; }
    const QLocale& locale() const { return settings_.locale; }

signals:
    void stateChanged(speech::Speaker::State state);

private:
    void setState(State state);
    void fail(const QString& reason);
    void started(bool ok, const QString& reasonOrVoice);
    void engineState(int state);
    void answered(quint64 request);
    void ask(const std::function<void(EngineHost*)>& call);
    void sayNow(const QString& text);

    SpeechSettings settings_;
    State state_ = State::NotStarted;
    QString reason_;
    QString voice_;
    QString pending_; // asked for while the engine was starting
    bool localeChanged_ = false; // meanwhile too
    // Speaking was asked and has not ended; the engine has begun it.
    bool awaitingEnd_ = false;
    bool spoke_ = false;
    QThread* thread_ = nullptr;
    EngineHost* host_ = nullptr;
    quint64 asked_ = 0;
    quint64 answered_ = 0;
    QTimer startWatch_;
    QTimer answerWatch_;
    QTimer playWatch_;
};

} // namespace speech
