#include "sample.h"

#include "dictionary/dictionary_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

using namespace dictionary;

namespace {

class DictionaryFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        edict_ = dir_.filePath(QStringLiteral("edict"));
        cache_ = dir_.filePath(QStringLiteral("cache"));
        write(edict_, sampleEdict());
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString cacheFile() const { return cacheFileFor(edict_, cache_); }
    Opened open() const { return openDictionary(edict_, cache_); }

    QTemporaryDir dir_;
    QString edict_;
    QString cache_;
};

TEST_F(DictionaryFile, TheFirstOpenBuildsAndCachesTheIndexTheNextReadsIt)
{
    const Opened first = open();
    ASSERT_TRUE(first.dictionary);
    EXPECT_FALSE(first.fromCache);
    EXPECT_TRUE(first.hint.isEmpty());
    ASSERT_TRUE(QFileInfo::exists(cacheFile()));
    EXPECT_EQ(QFileInfo(cacheFile()).size(), first.dictionary->imageSize());

    const Opened second = open();
    ASSERT_TRUE(second.dictionary);
    EXPECT_TRUE(second.fromCache);
    EXPECT_EQ(meanings(*second.dictionary, QStringLiteral("apple")),
              meanings(*first.dictionary, QStringLiteral("apple")));
    // Each dictionary file has an index of its own.
    EXPECT_NE(cacheFileFor(dir_.filePath(QStringLiteral("other")), cache_), cacheFile());
}

TEST_F(DictionaryFile, ADamagedForeignOrStaleCacheIsRebuiltNeverTrusted)
{
    ASSERT_TRUE(open().dictionary);
    const QByteArray good = read(cacheFile());
    QByteArray flipped = good;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 1);
    for (const QByteArray& damaged :
         {flipped, good.left(good.size() - 10), QByteArray("not an index"), QByteArray(), good + good}) {
        write(cacheFile(), damaged);
        const Opened o = open();
        ASSERT_TRUE(o.dictionary);
        EXPECT_FALSE(o.fromCache) << damaged.size();
        EXPECT_EQ(read(cacheFile()), good) << "the cache is written anew";
    }

    // The dictionary changed since: same size, a new time; then new words.
    struct stat st { };
    ASSERT_EQ(::stat(QFile::encodeName(edict_).constData(), &st), 0);
    const struct utimbuf later {
        st.st_atime, st.st_mtime + 60
    };
    ASSERT_EQ(::utime(QFile::encodeName(edict_).constData(), &later), 0);
    EXPECT_FALSE(open().fromCache);
    EXPECT_TRUE(open().fromCache);
    write(edict_, sampleEdict() + euc("苹果 [ひょうか] /(n) newword/\n"));
    const Opened grown = open();
    EXPECT_FALSE(grown.fromCache);
    EXPECT_EQ(meanings(*grown.dictionary, QStringLiteral("newword")), QStringList{QStringLiteral("苹果")});

    // A folder where the cache would go costs only the cache.
    ASSERT_TRUE(QFile::remove(cacheFile()));
    ASSERT_TRUE(QDir().mkpath(cacheFile()));
    EXPECT_TRUE(open().dictionary);
}

TEST_F(DictionaryFile, WithoutAUsableDictionaryThereIsAOneLineHint)
{
    ASSERT_TRUE(QFile::remove(edict_));
    const Opened missing = open();
    EXPECT_FALSE(missing.dictionary);
    EXPECT_TRUE(missing.hint.contains(QStringLiteral("apt install edict"))) << missing.hint.toStdString();
    EXPECT_FALSE(missing.hint.contains(QLatin1Char('\n')));

    // Not a dictionary: binary bytes, text of other lines, nothing, a folder,
    // a FIFO (opened without waiting for a writer).
    const QByteArray binary(4096, '\xFF');
    const QByteArray prose =
        QByteArray("This is a letter, not a dictionary.\n").repeated(50) + euc("林檎 [りんご] /(n) apple/\n");
    for (const QByteArray& bytes : {binary, prose, QByteArray()}) {
        write(edict_, bytes);
        const Opened o = open();
        EXPECT_FALSE(o.dictionary) << bytes.left(20).toStdString();
        EXPECT_TRUE(o.hint.contains(QStringLiteral("--reinstall edict"))) << o.hint.toStdString();
        EXPECT_TRUE(o.hint.contains(edict_));
    }
    ASSERT_TRUE(QFile::remove(edict_));
    ASSERT_TRUE(QDir().mkpath(edict_));
    EXPECT_FALSE(open().dictionary);
    ASSERT_TRUE(QDir(edict_).removeRecursively());
    ASSERT_EQ(::mkfifo(QFile::encodeName(edict_).constData(), 0600), 0);
    const Opened fifo = open();
    EXPECT_FALSE(fifo.dictionary);
    EXPECT_FALSE(fifo.hint.isEmpty());
}

TEST_F(DictionaryFile, TheFinderStartsOnlyWhenAskedAndAnswersOnceReady)
{
    MeaningFinder finder(edict_, cache_);
    int changes = 0;
    QObject::connect(&finder, &MeaningFinder::stateChanged, [&] { ++changes; });
    EXPECT_EQ(finder.state(), MeaningFinder::State::Idle);
    EXPECT_FALSE(QFileInfo::exists(cacheFile()));

    // The first question starts the index and has no answer yet.
    EXPECT_TRUE(finder.suggest(u"apple").empty());
    EXPECT_EQ(finder.state(), MeaningFinder::State::Loading);
    finder.prepare(); // once is enough
    ASSERT_TRUE(settled(finder));
    EXPECT_EQ(finder.state(), MeaningFinder::State::Ready);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(finder.hint().isEmpty());
    EXPECT_EQ(finder.report().leftOut, 2);
    ASSERT_FALSE(finder.suggest(u"apple").empty());
    EXPECT_EQ(finder.suggest(u"apple", 3).size(), 3u);

    MeaningFinder again(edict_, cache_);
    again.prepare();
    ASSERT_TRUE(settled(again));
    EXPECT_TRUE(again.fromCache());
}

TEST_F(DictionaryFile, AFinderWithoutADictionaryIsUnavailableWithItsHint)
{
    MeaningFinder finder(dir_.filePath(QStringLiteral("none")), cache_);
    finder.prepare();
    ASSERT_TRUE(settled(finder));
    EXPECT_EQ(finder.state(), MeaningFinder::State::Unavailable);
    EXPECT_TRUE(finder.hint().contains(QStringLiteral("edict")));
    EXPECT_TRUE(finder.suggest(u"apple").empty());
}

TEST_F(DictionaryFile, AFinderDestroyedWhileBuildingStopsItsBuild)
{
    // A large dictionary, so the build is still under way when the finder
    // goes; nothing may reach the finder after it is gone.
    write(edict_, sampleEdict().repeated(2000));
    for (int i = 0; i < 3; ++i) {
        auto finder = std::make_unique<MeaningFinder>(edict_, cache_);
        finder->prepare();
        finder.reset();
    }
    QCoreApplication::processEvents();
    SUCCEED();
}

} // namespace
