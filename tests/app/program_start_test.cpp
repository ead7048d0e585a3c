#include "app/instance_channel.h"
#include "child_process.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Whether the process's main thread is blocked waiting for events (in
// poll, as Qt's event loop waits), as Linux reports it. A start runs no
// event loop before its first message box or its window.
bool waitsForEvents(qint64 pid)
{
    QFile syscall(QStringLiteral("/proc/%1/syscall").arg(pid));
    if (syscall.open(QIODevice::ReadOnly)) {
        const QByteArray call = syscall.readAll().split(' ').value(0);
        // poll, ppoll, epoll_wait, epoll_pwait on x86-64.
        if (!call.isEmpty())
            return call == "7" || call == "271" || call == "232" || call == "281";
    }
    QFile wchan(QStringLiteral("/proc/%1/wchan").arg(pid));
    return wchan.open(QIODevice::ReadOnly) && wchan.readAll().contains("poll");
}

// The built program as a user starts it, with folders of its own.
class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousRuntime_ = qgetenv("XDG_RUNTIME_DIR");
        QDir(home_.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", path("run").toUtf8());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), path("data"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("run"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", previousRuntime_); }

    QString path(const char* relative) const
    {
        return QDir(home_.path()).filePath(QString::fromLatin1(relative));
    }
    std::unique_ptr<ChildProcess> start(const QStringList& arguments = {})
    {
        return std::make_unique<ChildProcess>(QStringLiteral(LEXIWREN_BIN), arguments, env);
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

private:
    QTemporaryDir home_;
    QByteArray previousRuntime_;
};

TEST_F(ProgramStart, HelpAndVersionNeedNoDisplayAndTouchNoFile)
{
    // A display that cannot be opened: any attempt to open one fails the start.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("ja_JP.UTF-8"));
    auto help = start({QStringLiteral("--help")});
    ASSERT_TRUE(help->finished(20000));
    EXPECT_EQ(help->exitCode(), 0);
    const QString text = QString::fromUtf8(help->output());
    EXPECT_TRUE(text.startsWith(QStringLiteral("使い方: lexiwren"))) << text.toStdString();

    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    auto version = start({QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--version")});
    ASSERT_TRUE(version->finished(20000));
    EXPECT_EQ(version->exitCode(), 0);
    EXPECT_TRUE(version->output().startsWith("Lexiwren 1.0\nA vocabulary trainer"));

    EXPECT_FALSE(QFileInfo::exists(path("config")));
    EXPECT_FALSE(QFileInfo::exists(path("data")));
    EXPECT_TRUE(QDir(path("run")).isEmpty());
}

TEST_F(ProgramStart, ASecondStartHandsOverEvenWhileTheFirstShowsItsFirstStartMessage)
{
    // No preferences yet: the first copy shows its first-start message (and
    // waits there: nobody answers it on the offscreen platform), holding the
    // default word file already.
    auto first = start();
    const QString word = path("data/lexiwren/words/default.txt");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return QFileInfo::exists(word)
                && QFileInfo::exists(InstanceChannel::socketPath(QFileInfo(word).canonicalFilePath()));
        },
        20000))
        << "the first copy never opened its channel";

    auto second = start({QStringLiteral("words.txt")});
    ASSERT_TRUE(second->finished(20000)) << "the second start waits: a message box?";
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->process().state(), QProcess::Running);
}

} // namespace

namespace {

TEST_F(ProgramStart, AnUncreatableDataFolderSendsNoWordsIntoTheFolderItWasStartedFrom)
{
    // The data folder would lie below a plain file: it cannot be made.
    QFile blocker(path("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    env.insert(QStringLiteral("XDG_DATA_HOME"), path("blocker/data"));
    QTemporaryDir startFolder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(startFolder.path());
    auto started = start();
    QDir::setCurrent(previous);

    // The start goes as far as its preferences and then tells the learner
    // in a box nobody answers on this platform: once the program waits in
    // that box's event loop, its start is over, and no word file was made.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return QFileInfo::exists(path("config/lexiwren/plimopref.ini"))
                && waitsForEvents(started->process().processId());
        },
        20000))
        << "the start never came to its message";
    EXPECT_EQ(started->process().state(), QProcess::Running);
    EXPECT_TRUE(QDir(startFolder.path()).isEmpty())
        << QDir(startFolder.path()).entryList().join(u' ').toStdString();
}

} // namespace
