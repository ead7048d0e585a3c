#include "app/hand_over.h"
#include "app/instance_channel.h"
#include "child_process.h"
#include "store/word_file_lock.h"
#include "support/scripted_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kAlreadyRunning = QStringLiteral("Lexiwren はすでに起動しています。");

// Each test has a runtime folder of its own, shared with its children.
class InstanceChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", previous_); }

    static std::unique_ptr<ChildProcess> copy(const char* mode, const QString& key, QStringList more = {})
    {
        return std::make_unique<ChildProcess>(QStringLiteral(CHANNEL_HOLDER),
                                              QStringList{QString::fromLatin1(mode), key} + more);
    }
    QString runtime() const { return runtime_.path(); }

    const QString key = QStringLiteral("/home/learner/.config/lexiwren/lexiwren.lock");

private:
    QTemporaryDir runtime_;
    QByteArray previous_;
};

TEST_F(InstanceChannelTest, ALaterStartIsAnsweredByTheRunningCopyWhichComesForward)
{
    auto running = copy("listen", key);
    ASSERT_EQ(running->line(), "listening");
    const QFileInfo socket(InstanceChannel::socketPath(key));
    EXPECT_EQ(socket.absolutePath(), runtime());
    EXPECT_FALSE(socket.permissions()
                 & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup));

    EXPECT_TRUE(InstanceChannel::knock(key, 10000));
    EXPECT_EQ(running->line(), "forward");
    EXPECT_TRUE(InstanceChannel::knock(key, 10000)) << "answered again";
    EXPECT_EQ(running->line(), "forward");

    // Another key names another copy.
    EXPECT_FALSE(InstanceChannel::knock(key + QStringLiteral(".other"), 300));
}

TEST_F(InstanceChannelTest, ACopyThatHangsOrNoCopyAtAllLeavesALaterStartUnansweredInTime)
{
    auto hung = copy("hang", key);
    ASSERT_EQ(hung->line(), "listening");
    // Its socket takes the knock, and no answer ever comes: the later start
    // gives up when its time is up, and the copy stays as it was.
    ASSERT_TRUE(QFileInfo::exists(InstanceChannel::socketPath(key)));
    EXPECT_FALSE(InstanceChannel::knock(key, 300));
    EXPECT_EQ(hung->process().state(), QProcess::Running);

    EXPECT_FALSE(QFileInfo::exists(InstanceChannel::socketPath(QStringLiteral("/nobody/holds/this.lock"))));
    EXPECT_FALSE(InstanceChannel::knock(QStringLiteral("/nobody/holds/this.lock"), 300));
}

TEST_F(InstanceChannelTest, ACopyStillStartingIsWaitedForAndASocketLeftByAKilledCopyIsTakenOver)
{
    {
        auto starting = copy("listen", key); // knocked at before it listens
        EXPECT_TRUE(InstanceChannel::knock(key, 20000));
    }
    // Killed, it left its socket file behind.
    ASSERT_TRUE(QFileInfo::exists(InstanceChannel::socketPath(key)));
    EXPECT_FALSE(InstanceChannel::knock(key, 300)) << "a dead socket answered";

    auto next = copy("listen", key);
    ASSERT_EQ(next->line(), "listening");
    auto later = copy("knock", key, {QStringLiteral("10000")});
    EXPECT_EQ(later->line(), "answered");
    EXPECT_EQ(next->line(), "forward");
}

TEST_F(InstanceChannelTest, TheAlreadyRunningMessageComesOnlyWhenTheHandOverFails)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("words"));
    const QString fileKey = WordFileLock::keyFor(folder.filePath(QStringLiteral("words/default.txt")));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    ScriptedDialogs dialogs;

    auto running = copy("listen", fileKey);
    ASSERT_EQ(running->line(), "listening");
    handOverStart(QStringLiteral("words/default.txt"), QStringLiteral("words\\default.txt"), dialogs);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(running->line(), "forward");

    running.reset();
    handOverStart(QStringLiteral("words/default.txt"), QStringLiteral("words\\default.txt"), dialogs, 300);
    QDir::setCurrent(previous);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].startsWith(kAlreadyRunning));
    EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("words\\default.txt")));
}

} // namespace
