// Speech through the real engine: speech-dispatcher with espeak-ng, a
// server of the test's own speaking to ALSA's null device. Qt 6.4 cannot
// synthesise to a file, so what is checked is the engine's state, and
// espeak-ng's own output for the same text.
#include "private_speechd.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>
#include <gtest/gtest.h>

using speech::Speaker;
using speech::SpeechSettings;

namespace {

// Speaks and waits for the state to go Speaking, then Ready.
QList<Speaker::State> spoken(Speaker& speaker, const QString& text)
{
    QList<Speaker::State> states;
    const auto c = QObject::connect(&speaker, &Speaker::stateChanged, [&](Speaker::State s) { states << s; });
    speaker.speak(text);
    waitUntil(
        [&] {
            const qsizetype speaking = states.indexOf(Speaker::State::Speaking);
            return (speaking >= 0 && states.indexOf(Speaker::State::Ready, speaking) > speaking)
                || !speaker.available();
        },
        60000);
    QObject::disconnect(c);
    return states;
}

TEST(RealEngine, WordsAndSentencesAreSpokenInTheChosenEnglish)
{
    if (const QString missing = PrivateSpeechd::missing(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString() << "; the unavailable engine is tested instead";
    PrivateSpeechd server;
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    useSpeechAddress(server.address());

    SpeechSettings settings;
    settings.module = QStringLiteral(LEXIWREN_SPEECH_ENGINE_MODULE);
    // Generous limits: on a loaded machine (the suite runs two tests at a
    // time, under ASan too) only a server that really fails may trip them.
    settings.startLimitMs = 90000; // every voice of espeak-ng is listed first
    settings.answerLimitMs = 60000;
    settings.playLimitMs = 60000;
    Speaker speaker(settings);
    // Asked before the engine is up: spoken once it is.
    const QList<Speaker::State> first = spoken(speaker, QStringLiteral("apple"));
    ASSERT_TRUE(speaker.available()) << speaker.reason().toStdString();
    EXPECT_EQ(first,
              (QList<Speaker::State>{Speaker::State::Starting, Speaker::State::Ready,
                                     Speaker::State::Speaking, Speaker::State::Ready}));
    EXPECT_EQ(speaker.voiceName(), QStringLiteral("English (America)"));

    speaker.setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    ASSERT_TRUE(waitUntil([&] { return speaker.voiceName().contains(QStringLiteral("Britain")); }, 20000))
        << speaker.voiceName().toStdString();
    EXPECT_EQ(spoken(speaker, QStringLiteral("This is an apple. <b>Tags</b> are read as text & so on.")),
              (QList<Speaker::State>{Speaker::State::Speaking, Speaker::State::Ready}));

    // Speaking again before the end cuts the first text short; the speaker
    // ends Ready, whatever the engine reported of the text it cut.
    speaker.speak(QStringLiteral("A long example sentence that takes a while to say aloud."));
    spoken(speaker, QStringLiteral("dog"));
    EXPECT_TRUE(speaker.available()) << speaker.reason().toStdString();
    EXPECT_TRUE(waitUntil([&] { return speaker.state() == Speaker::State::Ready; }, 30000));
    waitUntil([] { return false; }, 500);
    EXPECT_EQ(speaker.state(), Speaker::State::Ready);
}

TEST(RealEngine, EspeakNgMakesSoundOfTheSameText)
{
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty())
        GTEST_SKIP() << "espeak-ng is not installed";
    for (const char* voice : {"en-us", "en-gb"}) {
        QProcess p;
        p.start(espeak,
                {QStringLiteral("-v"), QString::fromLatin1(voice), QStringLiteral("--stdout"),
                 QStringLiteral("apple")});
        ASSERT_TRUE(p.waitForFinished(30000));
        ASSERT_EQ(p.exitCode(), 0);
        const QByteArray wav = p.readAllStandardOutput();
        ASSERT_GT(wav.size(), 44);
        EXPECT_TRUE(wav.startsWith("RIFF"));
        EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
        const quint32 rate = qFromLittleEndian<quint32>(wav.constData() + 24);
        const quint16 bits = qFromLittleEndian<quint16>(wav.constData() + 34);
        ASSERT_GT(rate * bits, 0u);
        // A word lasts a good fraction of a second, and is not silence.
        const double seconds = double(wav.size() - 44) / (rate * bits / 8.0);
        EXPECT_GT(seconds, 0.2) << voice;
        EXPECT_LT(seconds, 5.0) << voice;
        const QByteArray samples = wav.mid(44);
        EXPECT_NE(samples.count('\0'), samples.size()) << voice;
    }
}

} // namespace
