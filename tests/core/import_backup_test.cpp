// Words brought in from other programs' files as one action, and the copies
// taken before changes that cannot be undone.

#include "trainer_fixture.h"

#include "store/failure.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace {

class ImportAndBackups : public TrainerTest {
protected:
    // The copies of the word file, oldest first, as paths below the
    // temporary folder.
    QStringList backups() const
    {
        const QDir dir(folder.path(QStringLiteral("backups")));
        QStringList copies;
        for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString& name : QDir(dir.filePath(sub)).entryList(QDir::Files, QDir::Name))
                copies << QStringLiteral("backups/") + sub + u'/' + name;
        return copies;
    }
};

} // namespace

TEST_F(ImportAndBackups, AnImportAddsThePlannedWordsTogetherOrNoneOfThem)
{
    open(lines({"apple,りんご,,,0,3,1", "", "notes behind the blank line"}));
    folder.write(
        QStringLiteral("in.csv"),
        QStringLiteral("単語,意味\nkiwi,キウイ\napple,林檎\npear,,\nfig,いちじく,A fig.,いちじく一つ,動詞\n")
            .toUtf8());
    const ImportPlan plan = trainer.planImport(folder.path(QStringLiteral("in.csv")));
    ASSERT_EQ(plan.words.size(), 2u);
    ASSERT_EQ(plan.refused.size(), 2u); // apple is registered, pear has no meaning
    EXPECT_EQ(plan.refused[0].line, 3);

    const QByteArray before = wordFile();
    breakSaves();
    EXPECT_THROW(trainer.importWords(plan), Failure);
    mendSaves();
    EXPECT_EQ(wordFile(), before);
    EXPECT_EQ(memory(), before);

    EXPECT_EQ(trainer.importWords(plan).message, QStringLiteral("2 語を登録しました。"));
    EXPECT_EQ(wordFile(),
              lines({"apple,りんご,,,0,3,1", "kiwi,キウイ,,,0,0,0", "fig,いちじく,A fig.,いちじく一つ,1,0,0",
                     "", "notes behind the blank line"}));
    EXPECT_EQ(trainer.book().listing().size(), 3u);
}

TEST_F(ImportAndBackups, AFifoOrADevicePickedForImportIsRefusedAtOnce)
{
    const QString fifo = folder.path(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& file : {fifo, QStringLiteral("/dev/zero")}) {
        try {
            trainer.planImport(file);
            FAIL() << file.toStdString();
        } catch (const Failure& failure) {
            EXPECT_TRUE(failure.text().contains(QStringLiteral("通常のファイルではありません")))
                << file.toStdString();
        }
    }
}

TEST_F(ImportAndBackups, AnExportLeavesTheWordFileAndIsNeverWrittenOverIt)
{
    open(lines({"apple,りんご,,,0,3,1"}));
    exportTo(folder.path(QStringLiteral("out")), interchange::ExportFormat::Csv);
    EXPECT_TRUE(folder.read(QStringLiteral("out.csv")).contains("apple"));
    EXPECT_THROW(exportTo(folder.path(QStringLiteral("words/default")), interchange::ExportFormat::AnkiText),
                 Failure);
    EXPECT_EQ(wordFile(), lines({"apple,りんご,,,0,3,1"}));
}

TEST_F(ImportAndBackups, ACopyBeforeTheFirstChangeOfARunAndBeforeEveryDeletionAndReset)
{
    trainer.setDataFolder(folder.path(QString()), true);
    const QByteArray start = lines({"apple,りんご,,,0,3,1", "run,走る,,,1,0,0"});
    open(start);
    trainer.registerWord(typed("kiwi", "キウイ"));
    trainer.registerWord(typed("fig", "いちじく"));
    ASSERT_EQ(backups().size(), 1);
    EXPECT_EQ(folder.read(backups()[0]), start);

    const QByteArray beforeDeletion = wordFile();
    remove(0);
    ASSERT_EQ(backups().size(), 2);
    EXPECT_EQ(folder.read(backups()[1]), beforeDeletion);
    resetCounts();
    EXPECT_EQ(backups().size(), 3);
}

TEST_F(ImportAndBackups, AFifoPutInTheWordFilesPlaceIsNotWaitedOnForTheBackup)
{
    trainer.setDataFolder(folder.path(QString()), true);
    open(lines({"apple,りんご,,,0,3,1"}));
    const QString file = folder.path(QString::fromLatin1(kWordFile));
    QFile::remove(file);
    ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    learner.confirms = {false};
    EXPECT_FALSE(trainer.registerWord(typed("kiwi", "キウイ")).words);
    ASSERT_EQ(learner.confirmations().size(), 1u);
    EXPECT_TRUE(learner.confirmations()[0].contains(QStringLiteral("バックアップ")));
    EXPECT_TRUE(backups().isEmpty());
}

TEST_F(ImportAndBackups, AFailedCopyIsTheLearnersCallAndNeverSilent)
{
    // A plain file where the backups folder should be made.
    folder.write(QStringLiteral("backups"), "in the way");
    trainer.setDataFolder(folder.path(QString()), true);
    const QByteArray start = lines({"apple,りんご,,,0,3,1"});
    open(start);

    // The learner says no to going on without a copy: nothing changes.
    trainer.switchTab(Tab::List);
    learner.confirms = {true, false};
    trainer.deleteWord(0);
    EXPECT_EQ(wordFile(), start);
    ASSERT_EQ(learner.confirmations().size(), 2u);
    EXPECT_TRUE(learner.confirmations()[1].contains(QStringLiteral("バックアップを取らずに続けますか")));
    EXPECT_EQ(learner.told(),
              std::vector<QString>{QStringLiteral("バックアップを取れなかったので、操作を取りやめました。")});

    // Without anyone to ask, the change does not happen either.
    trainer.setQuestions(nullptr);
    EXPECT_THROW(trainer.registerWord(typed("kiwi", "キウイ")), Failure);
    trainer.setQuestions(&learner);
    EXPECT_EQ(wordFile(), start);

    learner.confirms = {true, true};
    trainer.deleteWord(0);
    EXPECT_EQ(wordFile(), QByteArray());
}

// A copy in the backups folder is restored by copying it out: worked on
// where it lies, it would be pruned away by a later backup, new words and
// all. So it is opened neither by 読み込む, nor at the start, nor chosen as
// the default; the current word file stays.
TEST_F(ImportAndBackups, NoWordFileIsOpenedOrMadeDefaultInsideTheBackupsFolder)
{
    trainer.setDataFolder(folder.path(QString()), true);
    const QByteArray start = lines({"apple,りんご,,,0,3,1"});
    open(start);
    trainer.registerWord(typed("kiwi", "キウイ"));
    ASSERT_EQ(backups().size(), 1);
    const QString copy = folder.path(backups()[0]);
    // The preferences' way of naming it, from the data folder.
    const QString copyByStoredName = QString(backups()[0]).replace(u'/', u'\\');

    for (const QString& inside : {copy, folder.path(QStringLiteral("backups/new.txt"))}) {
        SCOPED_TRACE(inside.toStdString());
        try {
            openFile(inside);
            FAIL() << "opened";
        } catch (const Failure& refused) {
            EXPECT_TRUE(
                refused.text().startsWith(QStringLiteral("ファイル %1 はバックアップのフォルダ").arg(inside)))
                << refused.text().toStdString();
        }
        EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    }
    for (const QString& inside : {copy, copyByStoredName}) {
        SCOPED_TRACE(inside.toStdString());
        learner.clear();
        learner.wordFiles.push_back(inside);
        trainer.chooseDefaultWordFile();
        ASSERT_EQ(learner.told().size(), 1u);
        EXPECT_TRUE(learner.told()[0].endsWith(QStringLiteral("開いてください。")))
            << learner.told()[0].toStdString();
        EXPECT_EQ(trainer.defaultWordFile().shown(), QStringLiteral("words\\default.txt"));
    }
    EXPECT_FALSE(folder.exists(QStringLiteral("backups/new.txt")));

    // A default an earlier version let be chosen there: the start opens
    // nothing, and says why.
    Trainer next(folder.prefsFile());
    ScriptedQuestions nextLearner;
    next.setQuestions(&nextLearner);
    next.setDataFolder(folder.path(QString()), true);
    folder.writePrefs(cp932::encode(copyByStoredName));
    next.start();
    ASSERT_EQ(nextLearner.reported().size(), 1u);
    EXPECT_TRUE(nextLearner.reported()[0].contains(QStringLiteral("バックアップのフォルダ")));
    EXPECT_TRUE(next.book().path.isEmpty());
    EXPECT_EQ(folder.read(backups()[0]), start);
}
