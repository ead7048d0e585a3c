// Words brought in from other programs' files as one action, and the copies
// taken before changes that cannot be undone.

#include "trainer_fixture.h"

#include "store/failure.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace {

class ScriptedQuestions : public TrainerQuestions {
public:
    bool overwrite(const QString&) override { return true; }
    bool goOnWithoutBackup(const QString& failure) override
    {
        asked << failure;
        return goOn;
    }
    bool goOn = true;
    QStringList asked;
};

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

    trainer.importWords(plan);
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
    trainer.exportWords(folder.path(QStringLiteral("out.csv")), interchange::ExportFormat::Csv);
    EXPECT_TRUE(folder.read(QStringLiteral("out.csv")).contains("apple"));
    EXPECT_THROW(
        trainer.exportWords(folder.path(QString::fromLatin1(kWordFile)), interchange::ExportFormat::AnkiText),
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
    trainer.deleteRecord(0);
    ASSERT_EQ(backups().size(), 2);
    EXPECT_EQ(folder.read(backups()[1]), beforeDeletion);
    trainer.resetCounts();
    EXPECT_EQ(backups().size(), 3);
}

TEST_F(ImportAndBackups, AFifoPutInTheWordFilesPlaceIsNotWaitedOnForTheBackup)
{
    trainer.setDataFolder(folder.path(QString()), true);
    open(lines({"apple,りんご,,,0,3,1"}));
    const QString file = folder.path(QString::fromLatin1(kWordFile));
    QFile::remove(file);
    ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    try {
        trainer.registerWord(typed("kiwi", "キウイ"));
        FAIL();
    } catch (const Failure& failure) {
        EXPECT_TRUE(failure.text().contains(QStringLiteral("バックアップ"))) << failure.text().toStdString();
    }
    EXPECT_TRUE(backups().isEmpty());
}

TEST_F(ImportAndBackups, AFailedCopyIsTheLearnersCallAndNeverSilent)
{
    // A plain file where the backups folder should be made.
    folder.write(QStringLiteral("backups"), "in the way");
    trainer.setDataFolder(folder.path(QString()), true);
    const QByteArray start = lines({"apple,りんご,,,0,3,1"});
    open(start);

    // Without anyone to ask, the change does not happen.
    EXPECT_THROW(trainer.deleteRecord(0), Failure);
    EXPECT_EQ(wordFile(), start);

    ScriptedQuestions questions;
    trainer.setQuestions(&questions);
    questions.goOn = false;
    try {
        trainer.deleteRecord(0);
        FAIL();
    } catch (const Failure& stopped) {
        EXPECT_TRUE(stopped.isNotice());
    }
    EXPECT_EQ(wordFile(), start);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.asked[0].contains(QStringLiteral("バックアップ")));

    questions.goOn = true;
    trainer.deleteRecord(0);
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
    const QString copyByRelativeName = backups()[0].replace(u'/', u'\\');

    for (const QString& inside : {copy, copyByRelativeName, folder.path(QStringLiteral("backups/new.txt"))}) {
        SCOPED_TRACE(inside.toStdString());
        try {
            trainer.openWordFile(inside);
            FAIL() << "opened";
        } catch (const Failure& refused) {
            EXPECT_TRUE(
                refused.text().startsWith(QStringLiteral("ファイル %1 はバックアップのフォルダ").arg(inside)))
                << refused.text().toStdString();
        }
        EXPECT_EQ(trainer.book().path, QStringLiteral("words\\default.txt"));
        EXPECT_TRUE(trainer.setDefaultWordFile(inside).endsWith(QStringLiteral("開いてください。")));
        EXPECT_EQ(trainer.defaultWordFile(), QStringLiteral("words\\default.txt"));
    }
    EXPECT_FALSE(folder.exists(QStringLiteral("backups/new.txt")));

    // A default an earlier version let be chosen there: the start opens
    // nothing, and says why.
    Trainer next(folder.prefsFile());
    next.setDataFolder(folder.path(QString()), true);
    folder.writePrefs(cp932::encode(copyByRelativeName));
    next.readDefaultWordFile();
    EXPECT_THROW(next.openDefaultWordFile(), Failure);
    EXPECT_TRUE(next.book().path.isEmpty());
    EXPECT_EQ(folder.read(backups()[0]), start);
}
