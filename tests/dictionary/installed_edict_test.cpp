// The dictionary Debian installs, where the edict package is there.
#include "sample.h"

#include "dictionary/dictionary_file.h"
#include "store/codec.h"
#include "store/failure.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dictionary;

namespace {

TEST(InstalledEdict, CommonWordsFindTheirMeaningsAndEveryMeaningFitsAWordFile)
{
    const QString file = QString::fromLatin1(kEdictFile);
    if (!QFileInfo::exists(file))
        GTEST_SKIP() << file.toStdString() << " is not installed (Debian package edict)";
    QTemporaryDir cache;
    const Opened opened = openDictionary(file, cache.path());
    ASSERT_TRUE(opened.dictionary) << opened.hint.toStdString();
    EXPECT_GT(opened.report.entries, 150000);
    EXPECT_LT(opened.dictionary->imageSize(), 30ll << 20);

    // Left out: exactly the lines holding JIS X 0212 (0x8F never appears
    // inside another character in EUC-JP).
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    int withJisX0212 = 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        withJisX0212 += line.contains('\x8F') ? 1 : 0;
    EXPECT_EQ(opened.report.leftOut, withJisX0212);

    const struct {
        const char* english;
        const char* expected; // among the first three
    } cases[] = {{"apple", "りんご"}, {"dog", "犬"},       {"cat", "猫"},   {"eat", "食べる"},
                 {"water", "水"},     {"book", "本"},      {"run", "走る"}, {"beautiful", "美しい"},
                 {"school", "学校"},  {"teacher", "先生"}, {"red", "赤"},   {"study", "勉強"},
                 {"read", "読む"},    {"write", "書く"},   {"house", "家"}, {"dictionary", "辞書"}};
    for (const auto& c : cases) {
        const QStringList found = meanings(*opened.dictionary, QString::fromUtf8(c.english), 3);
        EXPECT_TRUE(found.contains(QString::fromUtf8(c.expected)))
            << c.english << ": " << found.join(u' ').toStdString();
    }
    EXPECT_EQ(meanings(*opened.dictionary, QStringLiteral("apple")).value(0), QStringLiteral("りんご"));

    // What a learner picks can be registered: it encodes back to CP932.
    for (const char16_t* word :
         {u"a", u"e", u"s", u"apple", u"tilde", u"minus", u"yen", u"circle", u"dash"}) {
        for (const Suggestion& s : opened.dictionary->lookup(word, 50)) {
            EXPECT_NO_THROW(cp932::encode(cp932::decode(s.meaning()))) << s.meaning().toHex().toStdString();
            EXPECT_FALSE(cp932::decode(s.meaning()).contains(QChar::ReplacementCharacter));
        }
    }
}

} // namespace
