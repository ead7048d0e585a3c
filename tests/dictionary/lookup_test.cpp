#include "sample.h"

#include "store/codec.h"

#include <gtest/gtest.h>

using namespace dictionary;

namespace {

class Lookup : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        report_ = new BuildReport;
        index_ = new std::shared_ptr<const Dictionary>(indexOf(sampleEdict(), report_));
    }
    static void TearDownTestSuite()
    {
        delete index_;
        delete report_;
    }
    const Dictionary& dict() const { return **index_; }

    static std::shared_ptr<const Dictionary>* index_;
    static BuildReport* report_;
};
std::shared_ptr<const Dictionary>* Lookup::index_ = nullptr;
BuildReport* Lookup::report_ = nullptr;

TEST_F(Lookup, TheSampleIsIndexedWithoutWhatAWordFileCannotHold)
{
    ASSERT_TRUE(*index_);
    // 丂 (a JIS X 0212 headword) and 饅頭, whose gloss "manjū" is JIS X 0212.
    EXPECT_EQ(report_->leftOut, 2);
    EXPECT_EQ(report_->malformed, 1);
    EXPECT_EQ(report_->entries, dict().entryCount());
    EXPECT_EQ(report_->entries, 35);
    EXPECT_TRUE(meanings(dict(), QStringLiteral("steamed bun")).isEmpty());
    EXPECT_TRUE(meanings(dict(), QStringLiteral("entry whose headword")).isEmpty());
}

TEST_F(Lookup, CommonWordsFindTheirPlainMeaningFirst)
{
    // The meaning a learner would write first, ahead of loanwords in
    // katakana, honorific, colloquial and nursery words, and glosses that
    // merely start with the word.
    const struct {
        const char* english;
        const char* first;
    } cases[] = {
        {"apple", "りんご"}, {"dog", "犬"},       {"cat", "猫"},    {"eat", "食べる"},
        {"water", "水"},     {"book", "本"},      {"run", "走る"},  {"beautiful", "美しい"},
        {"school", "学校"},  {"teacher", "先生"}, {"red", "赤"},    {"quickly", "速く"},
        {"house", "家"},     {"study", "勉強"},   {"read", "読む"}, {"apple pie", "アップルパイ"},
        {"test", "ﾃｽﾄ"},
    };
    for (const auto& c : cases) {
        const QStringList found = meanings(dict(), QString::fromUtf8(c.english));
        ASSERT_FALSE(found.isEmpty()) << c.english;
        EXPECT_EQ(found.front(), QString::fromUtf8(c.first))
            << c.english << ": " << found.join(u' ').toStdString();
    }
}

TEST_F(Lookup, ExactGlossesComeBeforeLongerOnesAndLaterWords)
{
    // りんご and the other "apple"s, then "apple pie" (common) before
    // "applesauce", then the gloss whose later word is "apple".
    const QStringList apple = meanings(dict(), QStringLiteral("apple"), 20);
    const auto at = [&](const char* m) { return apple.indexOf(QString::fromUtf8(m)); };
    ASSERT_GE(at("喉仏"), 0) << apple.join(u' ').toStdString();
    EXPECT_EQ(at("りんご"), 0);
    EXPECT_LT(at("アップル"), at("アップルパイ"));
    EXPECT_LT(at("アップルパイ"), at("アップルソース"));
    EXPECT_LT(at("アップルソース"), at("喉仏"));
    EXPECT_EQ(at("パイナップル"), -1); // "apple" inside a word is not a word of the gloss
    // A word typed halfway already finds it; a later word of a gloss too.
    EXPECT_EQ(meanings(dict(), QStringLiteral("appl")).value(0), QStringLiteral("りんご"));
    EXPECT_EQ(meanings(dict(), QStringLiteral("pine")), QStringList{QStringLiteral("パイナップル")});
    EXPECT_EQ(meanings(dict(), QStringLiteral("sauce")), QStringList{QStringLiteral("アップルソース")});
    // Written as the learner wrote it first: "cat" before the acronym "CAT".
    EXPECT_EQ(meanings(dict(), QStringLiteral("CAT")).value(0), QStringLiteral("CAT"));
    EXPECT_EQ(meanings(dict(), QStringLiteral("cat")).value(1), QStringLiteral("CAT"));
}

TEST_F(Lookup, TheWordIsTakenAsALearnerTypesIt)
{
    const QStringList eat = meanings(dict(), QStringLiteral("eat"));
    EXPECT_EQ(meanings(dict(), QStringLiteral("to eat")), eat);
    EXPECT_EQ(meanings(dict(), QStringLiteral("  Eat ")), eat);
    EXPECT_EQ(meanings(dict(), QStringLiteral("EAT")), eat);
    EXPECT_EQ(meanings(dict(), QStringLiteral("apple  pie")), QStringList{QStringLiteral("アップルパイ")});
    EXPECT_EQ(meanings(dict(), QStringLiteral("apple (fruit)")).value(0), QStringLiteral("りんご"));
    // Nothing to look up: no word, Japanese, a word no gloss has, "to" alone.
    for (const char* nothing : {"", "   ", "りんご", "zzzz", "to", "dog\ncat"})
        EXPECT_TRUE(meanings(dict(), QString::fromUtf8(nothing)).isEmpty()) << nothing;
    EXPECT_TRUE(meanings(dict(), QStringLiteral("apple"), 0).isEmpty());
    EXPECT_TRUE(meanings(dict(), QString(500, QLatin1Char('a'))).isEmpty());
}

TEST_F(Lookup, EachMeaningAndHeadwordIsOfferedOnceWithWhatItIsMadeOf)
{
    // 家 has two entries (いえ, うち): one suggestion, the common first.
    EXPECT_EQ(meanings(dict(), QStringLiteral("house")), QStringList{QStringLiteral("家")});
    EXPECT_EQ(meanings(dict(), QStringLiteral("apple"), 2).size(), 2);

    const std::vector<Suggestion> apple = dict().lookup(u"apple", 1);
    ASSERT_EQ(apple.size(), 1u);
    const Suggestion& s = apple.front();
    EXPECT_EQ(cp932::decode(s.headword), QStringLiteral("林檎"));
    EXPECT_EQ(cp932::decode(s.reading), QStringLiteral("りんご"));
    EXPECT_EQ(s.gloss, QByteArray("apple (fruit)"));
    EXPECT_TRUE(s.common);
    // Usually written in kana: the reading is the meaning, the kanji beside it.
    EXPECT_TRUE(s.usuallyKana);
    EXPECT_EQ(cp932::decode(s.otherForm()), QStringLiteral("林檎"));

    const Suggestion dog = dict().lookup(u"dog", 1).at(0);
    EXPECT_FALSE(dog.usuallyKana);
    EXPECT_EQ(cp932::decode(dog.meaning()), QStringLiteral("犬"));
    EXPECT_EQ(cp932::decode(dog.otherForm()), QStringLiteral("いぬ"));
}

} // namespace
