#include "voice_choice.h"

#include <gtest/gtest.h>

using speech::bestVoice;

namespace {

TEST(VoiceChoice, TheCountrysBaseVoiceIsChosen)
{
    // espeak-ng's English voices as speech-dispatcher lists them under both
    // English locales, variants included.
    const QStringList names = {QStringLiteral("English (Caribbean)"),
                               QStringLiteral("English (America)+Adam"),
                               QStringLiteral("English (America, New York City)"),
                               QStringLiteral("English (America)"),
                               QStringLiteral("English (Scotland)"),
                               QStringLiteral("English (Great Britain)+Andy"),
                               QStringLiteral("English (Received Pronunciation)"),
                               QStringLiteral("English (Great Britain)")};
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale gb(QLocale::English, QLocale::UnitedKingdom);
    EXPECT_EQ(names.value(bestVoice(names, us)), QStringLiteral("English (America)"));
    EXPECT_EQ(names.value(bestVoice(names, gb)), QStringLiteral("English (Great Britain)"));
    // Names that say no country: a base voice before its variants, the
    // first listed of equals.
    EXPECT_EQ(bestVoice({QStringLiteral("kal+x"), QStringLiteral("rms"), QStringLiteral("kal")}, us), 1);
    EXPECT_EQ(bestVoice({QStringLiteral("only+variant")}, gb), 0);
    EXPECT_EQ(bestVoice({}, us), -1);
}

TEST(VoiceChoice, EveryReasonIsOneLineOfJapanese)
{
    for (const QString& r :
         {speech::reason::noEngine(), speech::reason::noModule(),
          speech::reason::cannotStart(QStringLiteral("speechd")), speech::reason::noEnglishVoice(),
          speech::reason::noAnswer(), speech::reason::noSound(), speech::reason::failed()}) {
        EXPECT_FALSE(r.isEmpty());
        EXPECT_FALSE(r.contains(QLatin1Char('\n')));
        EXPECT_TRUE(std::any_of(r.begin(), r.end(), [](QChar c) { return c.unicode() >= 0x3040; }))
            << r.toStdString();
    }
    EXPECT_TRUE(
        speech::reason::cannotStart(QStringLiteral("speechd")).contains(QStringLiteral("speech-dispatcher")));
}

} // namespace
