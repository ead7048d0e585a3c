#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

QStringList args(std::initializer_list<const char*> list)
{
    QStringList result{QStringLiteral("lexiwren")};
    for (const char* a : list)
        result << QString::fromLatin1(a);
    return result;
}

TEST(CommandLine, HelpAndVersionAnswerInTheGivenLanguageAndAnythingElseStartsAsUsual)
{
    const auto help = commandLineAnswer(args({"--help"}), true);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->startsWith(QStringLiteral("使い方: lexiwren"))) << help->toStdString();
    EXPECT_EQ(commandLineAnswer(args({"-h"}), true), help);
    EXPECT_TRUE(commandLineAnswer(args({"--help"}), false)->startsWith(QStringLiteral("Usage: lexiwren")));
    EXPECT_EQ(commandLineAnswer(args({"--version"}), false),
              QStringLiteral("Lexiwren 1.0\nA vocabulary trainer for Japanese learners of English\n"));
    EXPECT_TRUE(commandLineAnswer(args({"-v"}), true)->contains(QStringLiteral("単語帳")));
    // Qt's own options around ours change nothing.
    EXPECT_TRUE(commandLineAnswer(args({"-platform", "offscreen", "--version"}), false));

    for (const QStringList& other : {args({}), args({"words.txt"}), args({"--unknown", "-x"}),
                                     args({"-reverse"}), args({"-style", "fusion"}), args({"--", "--help"})})
        EXPECT_FALSE(commandLineAnswer(other, true)) << other.join(QLatin1Char(' ')).toStdString();
}

// Sets the locale variables for one test and puts the old ones back.
class Locale {
public:
    Locale(const char* lcAll, const char* lcMessages, const char* lang, const char* language)
    {
        const char* values[] = {lcAll, lcMessages, lang, language};
        for (int i = 0; i < 4; ++i) {
            saved_[i] = qgetenv(kNames[i]);
            had_[i] = qEnvironmentVariableIsSet(kNames[i]);
            if (values[i])
                qputenv(kNames[i], values[i]);
            else
                qunsetenv(kNames[i]);
        }
    }
    ~Locale()
    {
        for (int i = 0; i < 4; ++i) {
            if (had_[i])
                qputenv(kNames[i], saved_[i]);
            else
                qunsetenv(kNames[i]);
        }
    }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
    QByteArray saved_[4];
    bool had_[4] = {};
};

TEST(CommandLine, TheLanguageFollowsTheLocaleForMessages)
{
    struct Case {
        const char *lcAll, *lcMessages, *lang, *language;
        bool japanese;
    };
    for (const Case& c : {
             Case{nullptr, nullptr, "ja_JP.UTF-8", nullptr, true},
             Case{nullptr, nullptr, "en_US.UTF-8", nullptr, false},
             Case{nullptr, nullptr, nullptr, nullptr, false},
             Case{nullptr, "ja_JP.UTF-8", "en_US.UTF-8", nullptr, true},
             Case{"C.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", nullptr, false}, // LC_ALL wins
             Case{"ja_JP.eucJP", nullptr, "C", nullptr, true},
             Case{nullptr, nullptr, "en_GB.UTF-8", "ja:en", true}, // LANGUAGE first ...
             Case{nullptr, nullptr, "C", "ja", false}, // ... but not over C
         }) {
        Locale locale(c.lcAll, c.lcMessages, c.lang, c.language);
        EXPECT_EQ(japaneseMessages(), c.japanese)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-") << " " << (c.language ? c.language : "-");
    }
}

} // namespace
