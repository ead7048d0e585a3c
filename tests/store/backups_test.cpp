#include "store/backups.h"
#include "store/failure.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// A clock the test moves by hand.
struct Clock {
    QDateTime now{QDate(2026, 12, 8), QTime(10, 15, 30)};
    std::function<QDateTime()> fn()
    {
        return [this] { return now; };
    }
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

TEST(Backups, ACopyIsThePlainWordFileNamedByFileAndTime)
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
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^default\\.txt\\.[0-9a-f]{8}\\.2026-12-08T10-15-30\\.txt$"))
            .match(QFileInfo(first).fileName())
            .hasMatch())
        << qPrintable(first);
    EXPECT_EQ(QFileInfo(first).absolutePath(),
              QFileInfo(folder.path(QStringLiteral("backups"))).absoluteFilePath());
    EXPECT_EQ(folder.read(QStringLiteral("backups/") + QFileInfo(first).fileName()), bytes);

    // Nothing changed since: the newest copy already holds these bytes.
    EXPECT_EQ(backups.take(word), first);
    // Changed within the same second: a second copy beside the first.
    folder.write(QStringLiteral("words/default.txt"), bytes + "\r\n");
    const QString second = backups.take(word);
    EXPECT_EQ(names(backups.of(word)),
              (QStringList{QFileInfo(first).fileName(), QFileInfo(first).completeBaseName() + "_2.txt"}));
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

TEST(Backups, TheNewestThirtyOfEachWordFileAreKept)
{
    TempFolder folder;
    Clock clock;
    Backups backups(folder.path(QStringLiteral("backups")), clock.fn());
    const QString a = QStringLiteral("a/default.txt");
    const QString b = QStringLiteral("b/default.txt");
    folder.write(b, "b,b,,,0,0,0\r\n");
    const QString onlyOfB = backups.take(b);

    QStringList taken;
    for (int i = 0; i < 33; ++i) {
        folder.write(a, "a" + QByteArray::number(i) + ",x,,,0,0,0\r\n");
        // Twelve copies in one second, then one a second.
        if (i >= 12)
            clock.now = clock.now.addSecs(1);
        taken.append(backups.take(a));
    }
    EXPECT_EQ(backups.of(a), taken.mid(3)) << qPrintable(names(backups.of(a)).join(u' '));
    EXPECT_TRUE(names(backups.of(a)).first().endsWith(QStringLiteral("T10-15-30_4.txt")));
    EXPECT_EQ(backups.of(b), QStringList{onlyOfB});
    EXPECT_NE(QFileInfo(onlyOfB).fileName().section(u'.', 2, 2),
              QFileInfo(taken.last()).fileName().section(u'.', 2, 2));
}

TEST(Backups, AFailedCopyIsReportedAndLeavesNoCopy)
{
    TempFolder folder;
    folder.write(QStringLiteral("words/w.txt"), QByteArray(4096, 'x'));
    folder.write(QStringLiteral("plain"), "not a folder");

    Backups underAFile(folder.path(QStringLiteral("plain/backups")));
    EXPECT_EQ(failureOf([&] { underAFile.take(QStringLiteral("words/w.txt")); }),
              QStringLiteral("バックアップのフォルダ %1 を作成できません").arg(folder.path("plain/backups")));
    EXPECT_FALSE(underAFile.coveredThisRun(QStringLiteral("words/w.txt")));

    Backups backups(folder.path(QStringLiteral("backups")));
    EXPECT_EQ(failureOf([&] { backups.take(QStringLiteral("words")); }),
              QStringLiteral("単語ファイル words を読めないので、バックアップを取れません"));

    QString text;
    {
        FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.ok());
        text = failureOf([&] { backups.take(QStringLiteral("words/w.txt")); });
    }
    EXPECT_TRUE(text.startsWith(QStringLiteral("バックアップ %1/w.txt.").arg(folder.path("backups"))))
        << qPrintable(text);
    EXPECT_TRUE(text.endsWith(QStringLiteral(" を作成できません"))) << qPrintable(text);
    EXPECT_EQ(backups.of(QStringLiteral("words/w.txt")), QStringList());
    EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), QByteArray(4096, 'x'));
}

} // namespace
