// What keeps the learner's words from other programs and other copies of
// Lexiwren: the lock of the current word file, the check before each save,
// and the places a word file may be made.

#include "trainer_fixture.h"

#include "core/conflict.h"
#include "store/failure.h"

namespace {

const QByteArray kOurs = "apple,x,,,0,0,0\r\n";
const QByteArray kTheirs = "apple,x,,,0,0,0\r\npear,y,,,0,0,0\r\n";

bool askedAboutTheChange(const ScriptedQuestions& learner)
{
    const std::vector<QString> asked = learner.confirmations();
    return !asked.empty() && asked.back().contains(QStringLiteral("ほかのプログラムで変更されています"));
}

} // namespace

TEST_F(TrainerTest, AFileChangedByAnotherProgramIsNeverOverwrittenUnasked)
{
    open(kOurs);
    trainer.setQuestions(nullptr);
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
    folder.write(QString::fromLatin1(kWordFile), kTheirs);
    learner.confirms = {true};
    EXPECT_TRUE(trainer.registerWord(typed("kiwi", "z")).clearForm);
    EXPECT_TRUE(askedAboutTheChange(learner));
    EXPECT_TRUE(learner.confirmations()[0].contains(QStringLiteral("words\\default.txt")));
    EXPECT_EQ(wordFile(), kOurs + "kiwi,z,,,0,0,0\r\n");
    trainer.registerWord(typed("fig", "w"));
    EXPECT_EQ(learner.confirmations().size(), 1u);
}

TEST_F(TrainerTest, TakingTheirsLoadsTheirWordsLeavesTheActionUndoneAndPreparesTheTabAnew)
{
    open(kOurs);
    option(&Options::order, QuizOrder::InTurn);
    startQuiz();
    folder.write(QString::fromLatin1(kWordFile), kTheirs);
    learner.confirms = {false};
    const Outcome outcome = trainer.answerQuiz(QStringLiteral("apple"));
    EXPECT_TRUE(askedAboutTheChange(learner));
    EXPECT_TRUE(outcome.reloaded);
    EXPECT_EQ(outcome.tab, Tab::Quiz);
    EXPECT_EQ(learner.told(),
              (std::vector<QString>{QStringLiteral("正解っす"),
                                    QStringLiteral("単語ファイル words\\default.txt "
                                                   "をほかのプログラムが変更した内容で読み込み直しました。"
                                                   "今の操作は行っていません。")}));
    EXPECT_EQ(wordFile(), kTheirs);
    EXPECT_EQ(memory(), kTheirs);
    // The quiz starts afresh on their words: the answer was not counted.
    EXPECT_EQ(trainer.quiz().position(), QStringLiteral("出題No  1/2"));
    // From now on their file is the one we know: the next change saves.
    trainer.registerWord(typed("kiwi", "z"));
    EXPECT_EQ(wordFile(), kTheirs + "kiwi,z,,,0,0,0\r\n");
}

TEST_F(TrainerTest, AWordFileHeldByAnotherCopyIsRefusedAndTheCurrentOneKept)
{
    open(kOurs);
    folder.write(QStringLiteral("other.txt"), kTheirs);
    ScriptedQuestions otherLearner;
    Trainer otherCopy(folder.prefsFile());
    otherCopy.setQuestions(&otherLearner);
    otherLearner.wordFiles = {folder.path(QStringLiteral("other.txt"))};
    otherCopy.openWordFile();

    EXPECT_THROW(openFile(folder.path(QStringLiteral("other.txt"))), FileInUse);
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_EQ(memory(), kOurs);
    // Our own file opened again is no conflict, and its lock is kept.
    openFile(folder.path(QStringLiteral("words/./default.txt")));
    otherLearner.wordFiles = {QStringLiteral("words/default.txt")};
    EXPECT_THROW(otherCopy.openWordFile(), FileInUse);

    // Once the other copy moves on, the file is free.
    otherLearner.wordFiles = {folder.path(QStringLiteral("third.txt"))};
    otherLearner.confirms = {true};
    otherCopy.openWordFile();
    openFile(folder.path(QStringLiteral("other.txt")));
    EXPECT_EQ(memory(), kTheirs);
    otherLearner.verifyUsedUp();
}

TEST_F(TrainerTest, WithoutItsDataFolderARelativeDefaultIsNeitherOpenedNorCreated)
{
    folder.writePrefs("words\\default.txt");
    trainer.setDataFolder(QStringLiteral("/nowhere/lexiwren"), false);
    trainer.start();
    ASSERT_EQ(learner.reported().size(), 1u);
    EXPECT_TRUE(learner.reported()[0].contains(QStringLiteral("/nowhere/lexiwren")))
        << learner.reported()[0].toStdString();
    EXPECT_FALSE(folder.exists(QStringLiteral("words")));
    EXPECT_TRUE(trainer.book().path.isEmpty());
    // A file chosen by its full name is fine.
    openFile(folder.path(QStringLiteral("chosen.txt")));
    trainer.registerWord(typed("kiwi", "z"));
    EXPECT_EQ(folder.read(QStringLiteral("chosen.txt")), "kiwi,z,,,0,0,0\r\n");
}

TEST_F(TrainerTest, ADefaultThePreferencesCannotHoldWholeIsRefusedAndTheOldOneKept)
{
    open(kOurs);
    const QByteArray before = folder.read(QStringLiteral("config/plimopref.ini"));
    for (const QString& name : {QString(2048, QLatin1Char('a')), QStringLiteral("a\nb.txt")}) {
        learner.clear();
        learner.wordFiles = {name};
        EXPECT_FALSE(trainer.chooseDefaultWordFile().defaultFile);
        EXPECT_EQ(learner.told().size(), 1u);
        EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")), before);
        EXPECT_EQ(trainer.defaultWordFile().shown(), QStringLiteral("words\\default.txt"));
    }
    learner.wordFiles = {QString(2047, QLatin1Char('a'))};
    EXPECT_TRUE(trainer.chooseDefaultWordFile().defaultFile);
    // Read back whole by the options tab.
    trainer.switchTab(Tab::Options);
    EXPECT_EQ(trainer.defaultWordFile().shown(), QString(2047, QLatin1Char('a')));
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
}

TEST_F(TrainerTest, AFailedSaveOverAFolderAsksNoMoreOnceTheFileIsBackAsWeLeftIt)
{
    open(kOurs);
    const QString file = folder.path(QString::fromLatin1(kWordFile));

    // Something else stands in the word file's place: the learner is asked,
    // keeps ours, and the save cannot replace a folder.
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));
    learner.confirms = {true};
    EXPECT_THROW(trainer.registerWord(typed("kiwi", "z")), Failure);
    EXPECT_TRUE(askedAboutTheChange(learner));

    // The file is back, byte for byte what we loaded: nothing to ask.
    ASSERT_TRUE(QDir().rmdir(file));
    folder.write(QString::fromLatin1(kWordFile), kOurs);
    EXPECT_TRUE(trainer.registerWord(typed("kiwi", "z")).clearForm);
    EXPECT_EQ(learner.confirmations().size(), 1u);
    EXPECT_EQ(wordFile(), kOurs + "kiwi,z,,,0,0,0\r\n");
}
