#include "app/single_instance.h"
#include "support/fixtures.h"

#include <QDir>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>

namespace {

const QString kAlreadyRunning = QStringLiteral("Lexiwren はすでに起動しています。");

// Another running copy, as a child process holding the lock.
class OtherCopy {
public:
    explicit OtherCopy(const QString& folder)
    {
        process_.start(QStringLiteral(STORE_SAVER), {QStringLiteral("lock"), folder});
        EXPECT_TRUE(process_.waitForStarted());
    }
    ~OtherCopy() { kill(); }
    // Its last line: "locked" or "refused".
    QByteArray answer()
    {
        while (!process_.canReadLine() && process_.waitForReadyRead(30000)) { }
        QByteArray all;
        while (process_.canReadLine())
            all += process_.readLine();
        output_ += all;
        const QList<QByteArray> lines = output_.trimmed().split('\n');
        return lines.back();
    }
    QString output() const { return QString::fromUtf8(output_); }
    void kill()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
        process_.waitForFinished(30000);
    }

private:
    QProcess process_;
    QByteArray output_;
};

TEST(SingleInstance, SecondCopyIsRefusedAndALockLeftByAKilledCopyIsTakenOver)
{
    TempFolder folder;
    const QString config = folder.path(QStringLiteral("config"));
    OtherCopy first(config);
    ASSERT_EQ(first.answer(), "locked");
    const QString lockFile = QDir(config).filePath(QString::fromLatin1(SingleInstance::kLockFileName));
    const QByteArray lockBytes = folder.read(QStringLiteral("config/lexiwren.lock"));

    // While it runs, this copy is told so and touches nothing.
    {
        ScriptedDialogs dialogs;
        SingleInstance second(config);
        EXPECT_EQ(second.lockFile(), lockFile);
        EXPECT_FALSE(second.claim(dialogs));
        EXPECT_EQ(dialogs.messages(), std::vector<QString>{kAlreadyRunning});
        EXPECT_EQ(dialogs.shown.size(), 1u);
    }
    EXPECT_EQ(folder.read(QStringLiteral("config/lexiwren.lock")), lockBytes);
    EXPECT_EQ(QDir(config).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("lexiwren.lock")});

    // Killed, it leaves its lock file behind: the next start takes it over.
    first.kill();
    ASSERT_TRUE(QFileInfo::exists(lockFile));
    ScriptedDialogs dialogs;
    SingleInstance next(config);
    EXPECT_TRUE(next.claim(dialogs));
    EXPECT_TRUE(dialogs.shown.empty());

    // And now it is this copy that another start finds running.
    OtherCopy third(config);
    EXPECT_EQ(third.answer(), "refused");
    EXPECT_TRUE(third.output().contains(kAlreadyRunning)) << third.output().toStdString();
}

TEST(SingleInstance, TheLockGoesWithTheCopyThatHeldIt)
{
    TempFolder folder;
    const QString config = folder.path(QStringLiteral("config"));
    ScriptedDialogs dialogs;
    {
        SingleInstance first(config);
        ASSERT_TRUE(first.claim(dialogs));
        SingleInstance second(config);
        EXPECT_FALSE(second.claim(dialogs));
        EXPECT_EQ(dialogs.messages(), std::vector<QString>{kAlreadyRunning});
    }
    // Ended normally, the first copy leaves the file but not the lock.
    SingleInstance next(config);
    EXPECT_TRUE(next.claim(dialogs));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(SingleInstance, NoPlaceForTheLockStillStarts)
{
    TempFolder folder;
    folder.write(QStringLiteral("blocker"), "a file where the folder should be");
    ScriptedDialogs dialogs;
    SingleInstance instance(folder.path(QStringLiteral("blocker/config")));
    EXPECT_TRUE(instance.claim(dialogs));
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
