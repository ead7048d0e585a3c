// A speaker where speech cannot work: no engine, no server, a server that
// never answers, sound that never plays, a server that goes away. The
// controls are then disabled with the reason; nothing may hang.
#include "private_speechd.h"
#include "voice_choice.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using speech::Speaker;
using speech::SpeechSettings;

namespace {

class SpeakerWithout : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        useSpeechAddress(QStringLiteral("unix_socket:") + dir_.filePath(QStringLiteral("none.sock")));
    }
    static bool settled(const Speaker& s)
    {
        return waitUntil([&] { return s.state() != Speaker::State::Starting; }, 60000);
    }
    QTemporaryDir dir_;
};

TEST_F(SpeakerWithout, NothingStartsUntilItIsUsed)
{
    Speaker speaker;
    EXPECT_EQ(speaker.state(), Speaker::State::NotStarted);
    EXPECT_TRUE(speaker.available());
    EXPECT_TRUE(speaker.reason().isEmpty());
    speaker.speak(QStringLiteral("  \n "));
    speaker.stop();
    speaker.setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(speaker.state(), Speaker::State::NotStarted);
    EXPECT_EQ(speaker.locale(), QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(Speaker::englishLocales().size(), 2);
}

TEST_F(SpeakerWithout, AnEngineIsUnavailableWithItsReason)
{
    SpeechSettings noPlugin;
    noPlugin.module = QStringLiteral(LEXIWREN_SPEECH_ENGINE_MODULE);
    noPlugin.engine = QStringLiteral("no-such-engine");
    Speaker none(noPlugin);
    QList<Speaker::State> states;
    QObject::connect(&none, &Speaker::stateChanged, [&](Speaker::State s) { states << s; });
    none.speak(QStringLiteral("apple"));
    ASSERT_TRUE(settled(none));
    EXPECT_EQ(none.state(), Speaker::State::Unavailable);
    EXPECT_FALSE(none.available());
    EXPECT_EQ(none.reason(), speech::reason::noEngine());
    EXPECT_EQ(states, (QList<Speaker::State>{Speaker::State::Starting, Speaker::State::Unavailable}));
    none.speak(QStringLiteral("apple")); // ignored now
    EXPECT_EQ(none.state(), Speaker::State::Unavailable);

    // The module that holds the engine missing, or not a library: the same,
    // with a reason of its own.
    QFile garbage(dir_.filePath(QStringLiteral("garbage.so")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, '\x7f'));
    garbage.close();
    for (const QString& file : {dir_.filePath(QStringLiteral("none.so")), garbage.fileName()}) {
        SpeechSettings broken;
        broken.module = file;
        Speaker speaker(broken);
        speaker.speak(QStringLiteral("apple"));
        ASSERT_TRUE(settled(speaker));
        EXPECT_EQ(speaker.state(), Speaker::State::Unavailable) << file.toStdString();
        EXPECT_EQ(speaker.reason(), speech::reason::noModule());
    }

    if (!PrivateSpeechd::missing().isEmpty())
        GTEST_SKIP() << PrivateSpeechd::missing().toStdString();
    // speech-dispatcher neither running nor to be started.
    SpeechSettings speechd;
    speechd.module = noPlugin.module;
    Speaker noServer(speechd);
    noServer.prepare();
    ASSERT_TRUE(settled(noServer));
    EXPECT_EQ(noServer.state(), Speaker::State::Unavailable);
    EXPECT_EQ(noServer.reason(), speech::reason::cannotStart(QStringLiteral("speechd")));
}

TEST_F(SpeakerWithout, AServerThatNeverAnswersMakesItUnavailableWithoutBlocking)
{
    if (!PrivateSpeechd::missing().isEmpty())
        GTEST_SKIP() << PrivateSpeechd::missing().toStdString();
    // A socket that takes connections and never reads them: libspeechd
    // waits for its first answer for ever.
    const QByteArray path = QFile::encodeName(dir_.filePath(QStringLiteral("mute.sock")));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof addr.sun_path);
    std::memcpy(addr.sun_path, path.constData(), size_t(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(fd, 8), 0);
    useSpeechAddress(QStringLiteral("unix_socket:") + QString::fromLocal8Bit(path));

    SpeechSettings quick;
    quick.module = QStringLiteral(LEXIWREN_SPEECH_ENGINE_MODULE);
    quick.startLimitMs = 1500;
    QElapsedTimer clock;
    clock.start();
    {
        Speaker speaker(quick);
        speaker.speak(QStringLiteral("apple"));
        EXPECT_EQ(speaker.state(), Speaker::State::Starting); // the call itself returned at once
        ASSERT_TRUE(settled(speaker));
        EXPECT_EQ(speaker.state(), Speaker::State::Unavailable);
        EXPECT_EQ(speaker.reason(), speech::reason::noAnswer());
    } // its engine thread is still stuck: the end must not wait for it
    EXPECT_LT(clock.elapsed(), 15000);
    ::close(fd); // the stuck connection now fails and its thread ends
    waitUntil([] { return false; }, 1000);
}

TEST_F(SpeakerWithout, SoundThatNeverPlaysOrAServerThatGoesAwayMakesItUnavailable)
{
    if (!PrivateSpeechd::missing().isEmpty())
        GTEST_SKIP() << PrivateSpeechd::missing().toStdString();
    SpeechSettings quick;
    quick.module = QStringLiteral(LEXIWREN_SPEECH_ENGINE_MODULE);
    quick.startLimitMs = 60000;
    quick.playLimitMs = 1000;
    {
        PrivateSpeechd server;
        ASSERT_TRUE(server.start(QStringLiteral("no-such-device"))) << server.error().toStdString();
        useSpeechAddress(server.address());
        Speaker speaker(quick);
        speaker.speak(QStringLiteral("apple"));
        ASSERT_TRUE(waitUntil([&] { return !speaker.available(); }, 90000));
        EXPECT_EQ(speaker.reason(), speech::reason::noSound());
    }
    PrivateSpeechd server;
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    useSpeechAddress(server.address());
    Speaker speaker(quick);
    speaker.prepare();
    ASSERT_TRUE(settled(speaker));
    ASSERT_EQ(speaker.state(), Speaker::State::Ready) << speaker.reason().toStdString();
    server.stop(true);
    speaker.speak(QStringLiteral("apple"));
    ASSERT_TRUE(waitUntil([&] { return !speaker.available(); }, 30000));
    EXPECT_FALSE(speaker.reason().isEmpty());
}

} // namespace
