// What keeps the learner's words from other programs and other copies of
// Lexiwren: the lock of the current word file, the check before each save,
// and the places a word file may be made.

#include "trainer_fixture.h"

#include "store/preferences.h"

namespace {

// Answers the question about a changed word file as scripted.
class ScriptedQuestion : public TrainerQuestions {
public:
    explicit ScriptedQuestion(bool answer) : answer_(answer) { }
    bool overwrite(const QString& path) override
    {
        asked << path;
        return answer_;
    }
    bool goOnWithoutBackup(const QString&) override { return false; }
    QStringList asked;

private:
    bool answer_;
};

const QByteArray kOurs = "apple,x,,,0,0,0\r\n";
const QByteArray kTheirs = "apple,x,,,0,0,0\r\npear,y,,,0,0,0\r\n";

} // namespace

TEST_F(TrainerTest, AFileChangedByAnotherProgramIsNeverOverwrittenUnasked)
{
    open(kOurs);
    folder.write(QString::fromLatin1(kWordFile), kTheirs);
    try {
        trainer.registerWord(typed("kiwi", "z"));
        FAIL() << "saved over another program's change";
    } catch (const ExternalChange& change) {
        EXPECT_EQ(change.path(), QStringLiteral("words\\default.txt"));
    }
    EXPECT_EQ(wordFile(), kTheirs);
    EXPECT_EQ(memory(), kOurs);
}

TEST_F(TrainerTest, KeepingOursSavesTheActionOverTheChangeAndAsksOnce)
{
    open(kOurs);
    ScriptedQuestion keepOurs(true);
    trainer.setQuestions(&keepOurs);
    folder.write(QString::fromLatin1(kWordFile), kTheirs);
    EXPECT_EQ(trainer.registerWord(typed("kiwi", "z")).kind, RegistrationResult::Registered);
    EXPECT_EQ(wordFile(), kOurs + "kiwi,z,,,0,0,0\r\n");
    trainer.registerWord(typed("fig", "w"));
    EXPECT_EQ(keepOurs.asked.size(), 1);
}

TEST_F(TrainerTest, TakingTheirsLoadsTheirWordsAndLeavesTheActionUndone)
{
    open(kOurs);
    ASSERT_TRUE(trainer.startQuiz());
    ScriptedQuestion takeTheirs(false);
    trainer.setQuestions(&takeTheirs);
    int reloads = 0;
    trainer.setReloaded([&] { ++reloads; });
    folder.write(QString::fromLatin1(kWordFile), kTheirs);
    try {
        trainer.answerQuiz(QStringLiteral("apple"));
        FAIL();
    } catch (const Failure& notice) {
        EXPECT_TRUE(notice.isNotice());
    }
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(wordFile(), kTheirs);
    EXPECT_EQ(memory(), kTheirs);
    EXPECT_FALSE(trainer.quiz().asked());
    // From now on their file is the one we know: the next change saves.
    trainer.registerWord(typed("kiwi", "z"));
    EXPECT_EQ(wordFile(), kTheirs + "kiwi,z,,,0,0,0\r\n");
}

TEST_F(TrainerTest, AWordFileHeldByAnotherCopyIsRefusedAndTheCurrentOneKept)
{
    open(kOurs);
    folder.write(QStringLiteral("other.txt"), kTheirs);
    Trainer otherCopy(folder.prefsFile());
    otherCopy.openWordFile(WordFilePath::picked(folder.path(QStringLiteral("other.txt"))));

    EXPECT_THROW(trainer.openWordFile(WordFilePath::picked(folder.path(QStringLiteral("other.txt")))),
                 FileInUse);
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_EQ(memory(), kOurs);
    // Our own file opened again is no conflict, and its lock is kept.
    trainer.openWordFile(WordFilePath::stored(QStringLiteral("words\\default.txt")));
    EXPECT_THROW(otherCopy.openWordFile(WordFilePath::picked(QStringLiteral("words/default.txt"))),
                 FileInUse);

    // Once the other copy moves on, the file is free.
    otherCopy.openWordFile(WordFilePath::picked(folder.path(QStringLiteral("third.txt"))));
    trainer.openWordFile(WordFilePath::picked(folder.path(QStringLiteral("other.txt"))));
    EXPECT_EQ(memory(), kTheirs);
}

TEST_F(TrainerTest, WithoutItsDataFolderARelativeDefaultIsNeitherOpenedNorCreated)
{
    folder.writePrefs("words\\default.txt");
    trainer.setDataFolder(QStringLiteral("/nowhere/lexiwren"), false);
    trainer.readDefaultWordFile();
    try {
        trainer.openDefaultWordFile();
        FAIL();
    } catch (const Failure& failure) {
        EXPECT_TRUE(failure.text().contains(QStringLiteral("/nowhere/lexiwren")))
            << failure.text().toStdString();
    }
    EXPECT_FALSE(folder.exists(QStringLiteral("words")));
    EXPECT_TRUE(trainer.book().path.isEmpty());
    // A file chosen by its full name is fine.
    trainer.openWordFile(WordFilePath::picked(folder.path(QStringLiteral("chosen.txt"))));
    trainer.registerWord(typed("kiwi", "z"));
    EXPECT_EQ(folder.read(QStringLiteral("chosen.txt")), "kiwi,z,,,0,0,0\r\n");
}

TEST_F(TrainerTest, ADefaultThePreferencesCannotHoldWholeIsRefusedAndTheOldOneKept)
{
    folder.writePrefs("words\\default.txt");
    const QByteArray before = folder.read(QStringLiteral("config/plimopref.ini"));
    for (const QString& name : {QString(2048, QLatin1Char('a')), QStringLiteral("a\nb.txt")}) {
        EXPECT_FALSE(trainer.setDefaultWordFile(name).isEmpty());
        EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")), before);
    }
    EXPECT_TRUE(trainer.setDefaultWordFile(QString(2047, QLatin1Char('a'))).isEmpty());
    trainer.readDefaultWordFile();
    EXPECT_EQ(trainer.defaultWordFile().shown(), QString(2047, QLatin1Char('a')));
}

TEST_F(TrainerTest, AFailedSaveOverAFolderAsksNoMoreOnceTheFileIsBackAsWeLeftIt)
{
    open(kOurs);
    ScriptedQuestion keepOurs(true);
    trainer.setQuestions(&keepOurs);
    const QString file = folder.path(QString::fromLatin1(kWordFile));

    // Something else stands in the word file's place: the learner is asked,
    // keeps ours, and the save cannot replace a folder.
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));
    EXPECT_THROW(trainer.registerWord(typed("kiwi", "z")), Failure);
    EXPECT_EQ(keepOurs.asked.size(), 1);

    // The file is back, byte for byte what we loaded: nothing to ask.
    ASSERT_TRUE(QDir().rmdir(file));
    folder.write(QString::fromLatin1(kWordFile), kOurs);
    EXPECT_EQ(trainer.registerWord(typed("kiwi", "z")).kind, RegistrationResult::Registered);
    EXPECT_EQ(keepOurs.asked.size(), 1);
    EXPECT_EQ(wordFile(), kOurs + "kiwi,z,,,0,0,0\r\n");
}
