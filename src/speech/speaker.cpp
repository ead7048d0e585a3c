#include "speech/speaker.h"

#include "engine.h"
#include "engine_host.h"
#include "voice_choice.h"

#include <QThread>

namespace speech {

namespace {

// How long the end waits for the engine to close.
constexpr int kCloseWaitMs = 1000;
// Longer texts are not what a word or its example sentence are.
constexpr qsizetype kMaxText = 1000;
constexpr int kPlayMsPerCharacter = 200;

} // namespace

Speaker::Speaker(SpeechSettings settings, QObject* parent) : QObject(parent), settings_(std::move(settings))
{
    for (QTimer* t : {&startWatch_, &answerWatch_, &playWatch_})
        t->setSingleShot(true);
    connect(&startWatch_, &QTimer::timeout, this, [this] {
        if (state_ == State::Starting)
            fail(reason::noAnswer());
    });
    connect(&answerWatch_, &QTimer::timeout, this, [this] {
        if (answered_ < asked_)
            fail(reason::noAnswer());
    });
    connect(&playWatch_, &QTimer::timeout, this, [this] {
        stop();
        fail(reason::noSound());
    });
}

Speaker::~Speaker()
{
    if (!thread_)
        return;
    QMetaObject::invokeMethod(
        host_, [host = host_] { host->shutDown(); }, Qt::QueuedConnection);
    if (thread_->wait(kCloseWaitMs)) {
        delete thread_;
        return;
    }
    // Stuck in a call that does not come back: the thread is left to end
    // with the program, and is deleted should the call come back first.
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
}

QList<QLocale> Speaker::englishLocales()
{
    return {QLocale(QLocale::English, QLocale::UnitedStates),
            QLocale(QLocale::English, QLocale::UnitedKingdom)};
}

void Speaker::prepare()
{
    if (state_ != State::NotStarted)
        return;
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("speech"));
    host_ = new EngineHost(settings_);
    host_->moveToThread(thread_);
    connect(thread_, &QThread::finished, host_, &QObject::deleteLater);
    connect(host_, &EngineHost::voiceReady, this, &Speaker::started, Qt::QueuedConnection);
    connect(host_, &EngineHost::engineState, this, &Speaker::engineState, Qt::QueuedConnection);
    connect(host_, &EngineHost::answered, this, &Speaker::answered, Qt::QueuedConnection);
    thread_->start();
    setState(State::Starting);
    startWatch_.start(settings_.startLimitMs);
    QMetaObject::invokeMethod(
        host_, [host = host_] { host->start(); }, Qt::QueuedConnection);
}

void Speaker::speak(const QString& text)
{
    QString t = text.simplified();
    t.truncate(kMaxText);
    if (t.isEmpty() || state_ == State::Unavailable)
        return;
    if (state_ == State::NotStarted || state_ == State::Starting) {
        pending_ = t;
        prepare();
        return;
    }
    sayNow(t);
}

void Speaker::sayNow(const QString& text)
{
    awaitingEnd_ = true;
    spoke_ = false;
    playWatch_.start(settings_.playLimitMs + kPlayMsPerCharacter * int(text.size()));
    ask([text](EngineHost* host) { host->say(text); });
}

void Speaker::stop()
{
    pending_.clear();
    awaitingEnd_ = false;
    playWatch_.stop();
    if (state_ == State::Ready || state_ == State::Speaking)
        ask([](EngineHost* host) { host->stop(); });
}

void Speaker::setLocale(const QLocale& locale)
{
    if (locale == settings_.locale)
        return;
    settings_.locale = locale;
    if (state_ == State::Ready || state_ == State::Speaking)
        ask([locale](EngineHost* host) { host->useLocale(locale); });
    else if (state_ == State::Starting)
        localeChanged_ = true;
}

void Speaker::ask(const std::function<void(EngineHost*)>& call)
{
    if (!host_ || state_ == State::Unavailable)
        return;
    const quint64 request = ++asked_;
    if (!answerWatch_.isActive())
        answerWatch_.start(settings_.answerLimitMs);
    QMetaObject::invokeMethod(
        host_,
        [host = host_, call, request] {
            call(host);
            emit host->answered(request);
        },
        Qt::QueuedConnection);
}

void Speaker::answered(quint64 request)
{
    answered_ = request;
    if (answered_ >= asked_)
        answerWatch_.stop();
    else
        answerWatch_.start(settings_.answerLimitMs);
}

void Speaker::started(bool ok, const QString& reasonOrVoice)
{
    if (state_ == State::Unavailable)
        return;
    startWatch_.stop();
    if (!ok) {
        fail(reasonOrVoice);
        return;
    }
    voice_ = reasonOrVoice;
    if (state_ == State::Starting)
        setState(State::Ready);
    if (localeChanged_) {
        localeChanged_ = false;
        const QLocale locale = settings_.locale;
        ask([locale](EngineHost* host) { host->useLocale(locale); });
    }
    if (!pending_.isEmpty()) {
        const QString text = pending_;
        pending_.clear();
        sayNow(text);
    }
}

void Speaker::engineState(int state)
{
    if (state_ == State::Unavailable)
        return;
    switch (EngineState(state)) {
    case EngineState::Error: fail(reason::failed()); return;
    case EngineState::Speaking:
        spoke_ = true;
        if (state_ == State::Ready)
            setState(State::Speaking);
        return;
    case EngineState::Ready:
        // The end of what was asked last, not of what it cut short.
        if (awaitingEnd_ && spoke_) {
            awaitingEnd_ = false;
            playWatch_.stop();
        }
        if (state_ == State::Speaking && !awaitingEnd_)
            setState(State::Ready);
        return;
    case EngineState::Paused: return;
    }
}

void Speaker::fail(const QString& reason)
{
    if (state_ == State::Unavailable)
        return;
    reason_ = reason;
    pending_.clear();
    awaitingEnd_ = false;
    for (QTimer* t : {&startWatch_, &answerWatch_, &playWatch_})
        t->stop();
    setState(State::Unavailable);
}

void Speaker::setState(State state)
{
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged(state);
}

} // namespace speech
