#include "store/backups.h"
#include "store/failure.h"
#include "store/word_file_lock.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <optional>
#include <time.h>

namespace {

// A clock the test moves by hand.
struct Clock {
    QDateTime now{QDate(2026, 12, 8), QTime(10, 15, 30), QTimeZone("Asia/Tokyo")};
    std::function<QDateTime()> fn()
    {
        return [this] { return now; };
    }
};

// The process's time zone, for as long as it lives.
class TimeZone {
public:
    explicit TimeZone(const char* zone) : previous_(qgetenv("TZ")), had_(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        ::tzset();
    }
    ~TimeZone()
    {
        if (had_)
            qputenv("TZ", previous_);
        else
            qunsetenv("TZ");
        ::tzset();
    }

private:
    QByteArray previous_;
    bool had_;
};

QString failureOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Failure& e) {
        return e.text();
    }
    return QStringLiteral("<no failure>");
}

QStringList names(const QStringList& paths)
{
    QStringList out;
    for (const QString& p : paths)
        out.append(QFileInfo(p).fileName());
    return out;
}

QByteArray words(int k)
{
    return "a" + QByteArray::number(k) + ",x,,,0,0,0\r\n";
}

TEST(Backups, ACopyIsThePlainWordFileInAFolderOfItsOwnNamedByNumberAndTime)
{
    TempFolder folder;
    Clock clock;
    Backups backups(folder.path(QStringLiteral("backups")), clock.fn());
    const QByteArray bytes = "apple," + sjis("りんご") + ",,,0,3,1\r\nrun," + sjis("走る") + ",,,1,0,0";
    folder.write(QStringLiteral("words/default.txt"), bytes);
    const QString word = QStringLiteral("words/default.txt");

    EXPECT_FALSE(backups.coveredThisRun(word));
    const QString first = backups.take(word);
    EXPECT_TRUE(backups.coveredThisRun(word));
    const QFileInfo copy(first);
    EXPECT_EQ(copy.fileName(), QStringLiteral("default.txt.000001.2026-12-08T10-15-30+0900.txt"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^default\\.txt\\.[0-9a-f]{8}$"))
                    .match(copy.dir().dirName())
                    .hasMatch())
        << qPrintable(first);
    EXPECT_EQ(QFileInfo(copy.absolutePath()).absolutePath(),
              QFileInfo(folder.path(QStringLiteral("backups"))).absoluteFilePath());
    QFile file(first);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);

    // Nothing changed since: the newest copy already holds these bytes.
    EXPECT_EQ(backups.take(word), first);
    // Changed within the same second: the next number.
    folder.write(QStringLiteral("words/default.txt"), bytes + "\r\n");
    const QString second = backups.take(word);
    EXPECT_EQ(
        names(backups.of(word)),
        (QStringList{copy.fileName(), QStringLiteral("default.txt.000002.2026-12-08T10-15-30+0900.txt")}));
    EXPECT_EQ(backups.of(word).last(), second);

    // Nothing to keep: no copy, no failure.
    folder.write(QStringLiteral("words/empty.txt"), "");
    EXPECT_EQ(backups.take(QStringLiteral("words/empty.txt")), QString());
    EXPECT_EQ(backups.take(QStringLiteral("words/missing.txt")), QString());
    EXPECT_TRUE(backups.coveredThisRun(QStringLiteral("words/missing.txt")));
    EXPECT_EQ(backups.of(QStringLiteral("words/empty.txt")), QStringList());

    // A new run has taken nothing yet.
    Backups nextRun(folder.path(QStringLiteral("backups")), clock.fn());
    EXPECT_FALSE(nextRun.coveredThisRun(word));
    nextRun.goOnWithout(word);
    EXPECT_TRUE(nextRun.coveredThisRun(word));
}

TEST(Backups, TheNewestThirtyOfEachWordFileAreKeptAndNothingElseIsTouched)
{
    TempFolder folder;
    Clock clock;
    Backups backups(folder.path(QStringLiteral("backups")), clock.fn());
    const QString a = QStringLiteral("a/default.txt");
    const QString b = QStringLiteral("b/default.txt");
    folder.write(b, "b,b,,,0,0,0\r\n");
    const QString onlyOfB = backups.take(b);
    // Left by an earlier version in the folder itself, and a stranger in
    // a's own folder: neither is ours to order or remove.
    folder.write(QStringLiteral("backups/default.txt.3f9a1c2b.2020-01-01T00-00-00.txt"), words(0));

    QStringList taken;
    for (int i = 0; i < 33; ++i) {
        folder.write(a, words(i));
        // Twelve copies in one second, then one a second.
        if (i >= 12)
            clock.now = clock.now.addSecs(1);
        taken.append(backups.take(a));
    }
    const QString aFolder = QFileInfo(taken.first()).absolutePath();
    folder.write(QStringLiteral("backups/") + QFileInfo(aFolder).fileName() + QStringLiteral("/notes.txt"),
                 "mine");
    folder.write(a, words(99));
    taken.append(backups.take(a));

    EXPECT_EQ(backups.of(a), taken.mid(4)) << qPrintable(names(backups.of(a)).join(u' '));
    EXPECT_TRUE(names(backups.of(a)).first().startsWith(QStringLiteral("default.txt.000005.")));
    EXPECT_EQ(backups.of(b), QStringList{onlyOfB});
    EXPECT_NE(QFileInfo(onlyOfB).absolutePath(), aFolder);
    EXPECT_TRUE(folder.exists(QStringLiteral("backups/default.txt.3f9a1c2b.2020-01-01T00-00-00.txt")));
    EXPECT_TRUE(QFileInfo::exists(aFolder + QStringLiteral("/notes.txt")));
}

// The order of the copies is their numbers': a clock set back by years or
// a time zone moved a day west (a learner flying home) gives the new copy
// an older name, and it is still the newest, kept, and the one the next
// backup compares with.
TEST(Backups, TheNewestCopyStaysNewestWhenTheClockOrTheTimeZoneGoesBack)
{
    struct Case {
        const char* name;
        const char* zoneBefore; // on the process's own clock, or nullptr
        const char* zoneAfter;
        const char* newestEnds;
    };
    const Case cases[] = {
        {"clock set back five years", nullptr, nullptr, "2021-12-08T10-15-30+0900.txt"},
        {"time zone a day west", "Pacific/Kiritimati", "Pacific/Pago_Pago", "-1100.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        Clock clock;
        std::optional<TimeZone> zone;
        if (c.zoneBefore)
            zone.emplace(c.zoneBefore);
        Backups backups(folder.path(QStringLiteral("backups")),
                        c.zoneBefore ? std::function<QDateTime()>(&QDateTime::currentDateTime) : clock.fn());
        const QString word = QStringLiteral("words/default.txt");
        for (int i = 0; i < Backups::kKept; ++i) {
            folder.write(word, words(i));
            backups.take(word);
        }
        if (c.zoneAfter)
            zone.emplace(c.zoneAfter); // 25 hours earlier
        else
            clock.now = clock.now.addYears(-5);
        folder.write(word, words(100));
        const QString newest = backups.take(word);
        EXPECT_TRUE(newest.endsWith(QString::fromLatin1(c.newestEnds))) << qPrintable(newest);
        EXPECT_EQ(backups.of(word).size(), Backups::kKept);
        EXPECT_EQ(backups.of(word).last(), newest);
        EXPECT_TRUE(names(backups.of(word)).first().startsWith(QStringLiteral("default.txt.000002.")));
        // Unchanged since: compared with the real newest, so no new copy.
        EXPECT_EQ(backups.take(word), newest);
        // Back to what an older copy holds: that is no reason to skip one.
        folder.write(word, words(29));
        const QString next = backups.take(word);
        EXPECT_NE(next, newest);
        EXPECT_EQ(backups.of(word).last(), next);
    }
}

// A copy some Lexiwren works on (an earlier version let a backup be opened
// as the word file) is never pruned; once it is let go, it is.
TEST(Backups, ACopyHeldAsAWordFileIsNotRemovedAndTheFolderIsNoPlaceForWordFiles)
{
    TempFolder folder;
    Clock clock;
    Backups backups(folder.path(QStringLiteral("backups")), clock.fn());
    const QString word = QStringLiteral("words/default.txt");
    folder.write(word, words(0));
    const QString restored = backups.take(word);
    WordFileLock inUse;
    ASSERT_EQ(inUse.lock(restored), WordFileLock::Result::kTaken);
    for (int i = 1; i <= Backups::kKept + 2; ++i) {
        folder.write(word, words(i));
        backups.take(word);
    }
    EXPECT_TRUE(QFileInfo::exists(restored));
    EXPECT_EQ(backups.of(word).first(), restored);
    inUse.release();
    folder.write(word, words(100));
    backups.take(word);
    EXPECT_FALSE(QFileInfo::exists(restored));
    EXPECT_EQ(backups.of(word).size(), Backups::kKept);

    // Names come as file names; how a stored name with backslashes reaches
    // one is the word file path's business.
    for (const QString& inside : {backups.of(word).first(), folder.path(QStringLiteral("backups/new.txt"))}) {
        EXPECT_EQ(
            backups.refusal(inside),
            QStringLiteral(
                "ファイル %1 はバックアップのフォルダ %2 の中にあるので、単語ファイルとしては使えません。"
                "バックアップから戻すには、フォルダの外にコピーしてから開いてください")
                .arg(inside, folder.path(QStringLiteral("backups"))));
    }
    for (const QString& outside :
         {word, folder.path(QStringLiteral("backups-not.txt")), QStringLiteral("backups")})
        EXPECT_EQ(backups.refusal(outside), QString()) << qPrintable(outside);
}

TEST(Backups, AFailedCopyIsReportedAndLeavesNoCopy)
{
    TempFolder folder;
    folder.write(QStringLiteral("words/w.txt"), QByteArray(4096, 'x'));
    folder.write(QStringLiteral("plain"), "not a folder");

    Backups underAFile(folder.path(QStringLiteral("plain/backups")));
    const QString text = failureOf([&] { underAFile.take(QStringLiteral("words/w.txt")); });
    EXPECT_TRUE(
        text.startsWith(QStringLiteral("バックアップのフォルダ %1/w.txt.").arg(folder.path("plain/backups"))))
        << qPrintable(text);
    EXPECT_TRUE(text.endsWith(QStringLiteral(" を作成できません"))) << qPrintable(text);
    EXPECT_FALSE(underAFile.coveredThisRun(QStringLiteral("words/w.txt")));

    Backups backups(folder.path(QStringLiteral("backups")));
    EXPECT_EQ(failureOf([&] { backups.take(QStringLiteral("words")); }),
              QStringLiteral("単語ファイル words を読めないので、バックアップを取れません"));

    QString limited;
    {
        FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.ok());
        limited = failureOf([&] { backups.take(QStringLiteral("words/w.txt")); });
    }
    EXPECT_TRUE(limited.startsWith(QStringLiteral("バックアップ %1/w.txt.").arg(folder.path("backups"))))
        << qPrintable(limited);
    EXPECT_TRUE(limited.endsWith(QStringLiteral(" を作成できません"))) << qPrintable(limited);
    EXPECT_EQ(backups.of(QStringLiteral("words/w.txt")), QStringList());
    EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), QByteArray(4096, 'x'));
}

} // namespace
