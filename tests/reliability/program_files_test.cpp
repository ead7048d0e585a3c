// The real program's start and saves where files resist: a word file whose
// folder takes no lock file, and a file-size limit. Each start is a process
// of its own with folders of its own.

#include "app/child_process.h"
#include "app/file_channel.h"
#include "app/instance_channel.h"
#include "core/trainer.h"
#include "read_only.h"
#include "store/word_file_lock.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "window/dialog_questions.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

const QByteArray kWords = "apple,ringo,,,0,3,1\r\nrun,hashiru,,,1,0,0\r\n";

// Folders for configuration, data and the runtime of the copies a test
// starts; the test itself uses the same runtime folder, to see their
// channels and locks.
class RealStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousRuntime_ = qgetenv("XDG_RUNTIME_DIR");
        QDir().mkpath(folder.path(QStringLiteral("run")));
        QFile::setPermissions(folder.path(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", folder.path(QStringLiteral("run")).toUtf8());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), folder.path(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path(QStringLiteral("run")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", previousRuntime_); }

    // The default word file the copies open.
    void setDefault(const QString& wordFile)
    {
        folder.write(QStringLiteral("config/lexiwren/plimopref.ini"),
                     "[wordfile]\r\ndefwordfile=" + wordFile.toLocal8Bit() + "\r\n");
    }
    std::unique_ptr<ChildProcess> start(const QString& program = QStringLiteral(LEXIWREN_BIN),
                                        const QStringList& arguments = {})
    {
        return std::make_unique<ChildProcess>(program, arguments, env);
    }

    TempFolder folder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

private:
    QByteArray previousRuntime_;
};

struct Spoiled {
    const char* name;
    // Makes the lock file beside `word` impossible to have; what it returns
    // keeps it so while it lives.
    std::function<std::shared_ptr<void>(const QString& word)> spoil;
};

const Spoiled kSpoiled[] = {
    {"ReadOnlyFolder",
     [](const QString& word) {
         auto readOnly = std::make_shared<ReadOnly>(QFileInfo(word).absolutePath());
         return readOnly->effective() ? std::shared_ptr<void>(readOnly) : nullptr;
     }},
    {"LinkAsLockFile",
     [](const QString& word) {
         const bool made = QFile::link(word + QStringLiteral(".elsewhere"), WordFileLock::lockFileFor(word));
         return made ? std::make_shared<int>(0) : nullptr;
     }},
    {"FifoAsLockFile",
     [](const QString& word) {
         const bool made =
             ::mkfifo(QFile::encodeName(WordFileLock::lockFileFor(word)).constData(), 0600) == 0;
         return made ? std::make_shared<int>(0) : nullptr;
     }},
};

class OneCopy : public RealStart, public ::testing::WithParamInterface<Spoiled> { };

TEST_P(OneCopy, ASecondStartHandsOverWhenNoLockFileCanBeHadBesideTheWordFile)
{
    const QString word = folder.path(QStringLiteral("shared/words.txt"));
    folder.write(QStringLiteral("shared/words.txt"), kWords);
    setDefault(word);
    const std::shared_ptr<void> spoiled = GetParam().spoil(word);
    if (!spoiled)
        GTEST_SKIP() << "cannot be made here (root without the immutable attribute?)";

    auto first = start();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QFileInfo::exists(InstanceChannel::socketPath(WordFileLock::keyFor(word))); }, 20000))
        << "the first copy never opened its channel";
    EXPECT_TRUE(WordFileLock::heldByAnyCopy(word));

    auto second = start();
    ASSERT_TRUE(second->finished(20000)) << "the second copy opened the word file as well";
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->process().state(), QProcess::Running);
    EXPECT_FALSE(QFileInfo::exists(word + QStringLiteral(".elsewhere")));
    first.reset();
    EXPECT_EQ(folder.read(QStringLiteral("shared/words.txt")), kWords);
}

INSTANTIATE_TEST_SUITE_P(Spoiled, OneCopy, ::testing::ValuesIn(kSpoiled),
                         [](const auto& each) { return std::string(each.param.name); });

// Where no lock at all can be had, neither beside the word file nor in the
// runtime folder, the learner is told once that another copy cannot be
// kept out; a word file with a lock opens the channel again.
TEST_F(RealStart, WithoutAnyLockTheLearnerIsToldOnce)
{
    folder.write(QStringLiteral("a/words.txt"), kWords);
    folder.write(QStringLiteral("b/words.txt"), kWords);
    ReadOnly a(folder.path(QStringLiteral("a")));
    ReadOnly b(folder.path(QStringLiteral("b")));
    std::optional<ReadOnly> run(std::in_place, folder.path(QStringLiteral("run")), true);
    if (!a.effective() || !run->effective())
        GTEST_SKIP() << "cannot make a folder read-only here";

    Trainer trainer(folder.prefsFile());
    ScriptedDialogs dialogs;
    DialogQuestions questions(dialogs, []() -> TOKBottomDlg& { throw std::logic_error("no change dialog"); });
    trainer.setQuestions(&questions);
    const FileChannel channel(trainer, dialogs, [] {});
    const auto open = [&](const char* name) {
        dialogs.fileAnswers.push_back(folder.path(QString::fromLatin1(name)));
        trainer.openWordFile();
    };
    open("a/words.txt");
    EXPECT_TRUE(trainer.lockKey().isEmpty());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0],
              QStringLiteral(
                  "単語ファイル %1 のロックを取れないため、ほかの Lexiwren が同じ単語ファイルを開くのを防げ"
                  "ません。\n一つの単語ファイルを二つの Lexiwren で同時に使わないでください。")
                  .arg(folder.path(QStringLiteral("a/words.txt"))));
    open("b/words.txt");
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(channel.listeningOn(), QString());

    // With the runtime folder back, a word file in a folder of its own.
    run.reset();
    folder.write(QStringLiteral("c/words.txt"), kWords);
    open("c/words.txt");
    EXPECT_EQ(channel.listeningOn(), WordFileLock::keyFor(folder.path(QStringLiteral("c/words.txt"))));
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

// Under a file-size limit smaller than the word file, the backup before
// the first change and then the save are refused like any failed write:
// the program goes on, with the old file whole, instead of being ended by
// SIGXFSZ with the word just typed.
TEST_F(RealStart, UnderAFileSizeLimitAFailedBackupAndSaveAreRefusedNotFatal)
{
    QByteArray words;
    for (int k = 0; k < 100; ++k)
        words += "word" + QByteArray::number(k) + ",meaning,,,0,0,0\r\n";
    folder.write(QStringLiteral("data/lexiwren/words/default.txt"), words);
    setDefault(QStringLiteral("words\\default.txt"));

    ChildProcess driver(QStringLiteral(PROGRAM_DRIVER),
                        {QStringLiteral("kiwi"), QStringLiteral("kiwi-meaning")}, env, [] {
                            const rlimit size{1024, 1024};
                            const rlimit core{0, 0};
                            ::setrlimit(RLIMIT_FSIZE, &size);
                            ::setrlimit(RLIMIT_CORE, &core);
                        });
    ASSERT_TRUE(driver.finished(30000));
    const QString output = QString::fromUtf8(driver.output());
    EXPECT_EQ(driver.process().exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(driver.exitCode(), 0);
    EXPECT_TRUE(output.contains(QStringLiteral("を作成できません。\n\nバックアップを取らずに続けますか？")))
        << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("box: ファイル words\\default.txt を作成できません.")))
        << output.toStdString();
    EXPECT_TRUE(output.endsWith(QStringLiteral("done\n"))) << output.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("data/lexiwren/words/default.txt")), words);
}

} // namespace
