// The word file commands of the options tab and the export: which file
// each takes, what it asks first, and what it refuses.

#include "trainer_fixture.h"

#include "store/failure.h"

namespace {

const QByteArray kWords = "apple,x,,,0,3,1\r\n";

QString replaceQuestion(const QString& file)
{
    return QStringLiteral("ファイル %1 はすでにあります。\n置き換えますか？").arg(file);
}

} // namespace

TEST_F(TrainerTest, OpeningANameThatIsNotThereStartsAnEmptyWordFileOnlyWhenTheLearnerSaysSo)
{
    open(kWords);
    const QString typo = folder.path(QStringLiteral("wrods.txt"));
    learner.wordFiles = {typo, typo, std::nullopt};
    learner.confirms = {false, true};
    EXPECT_FALSE(trainer.openWordFile().currentFile);
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_EQ(
        learner.confirmations()[0],
        QStringLiteral("ファイル %1 はありません。\nここに新しい空の単語ファイルを始めますか？").arg(typo));

    const Outcome opened = trainer.openWordFile();
    EXPECT_TRUE(opened.currentFile && opened.words);
    EXPECT_EQ(trainer.book().path.shown(), typo);
    EXPECT_EQ(trainer.book().store.LineCount(), 0);
    // Made by the first change, not before.
    EXPECT_FALSE(folder.exists(QStringLiteral("wrods.txt")));
    // Cancelled: nothing at all.
    EXPECT_FALSE(trainer.openWordFile().currentFile);
    EXPECT_EQ(trainer.book().path.shown(), typo);
    // The default stays.
    EXPECT_EQ(trainer.defaultWordFile().shown(), QStringLiteral("words\\default.txt"));
}

TEST_F(TrainerTest, AFilePickedWithABackslashInItsNameIsThatFile)
{
    open(kWords);
    folder.write(QStringLiteral("x\\a.txt"), "picked,p,,,0,0,0\r\n");
    folder.write(QStringLiteral("x/a.txt"), "other,o,,,0,0,0\r\n");
    openFile(folder.path(QStringLiteral("x\\a.txt")));
    EXPECT_EQ(memory(), "picked,p,,,0,0,0\r\n");
    trainer.registerWord(typed("kiwi", "k"));
    EXPECT_EQ(folder.read(QStringLiteral("x\\a.txt")), "picked,p,,,0,0,0\r\nkiwi,k,,,0,0,0\r\n");
    EXPECT_EQ(folder.read(QStringLiteral("x/a.txt")), "other,o,,,0,0,0\r\n");
}

TEST_F(TrainerTest, WritingOutAddsTxtOnceAsksBeforeReplacingAndNeverTouchesTheCurrentFile)
{
    open(kWords);
    folder.write(QStringLiteral("mine.TXT"), "keep me");
    learner.wordFiles = {folder.path(QStringLiteral("list")), folder.path(QStringLiteral("mine.TXT")),
                         folder.path(QStringLiteral("mine.TXT")), std::nullopt};
    learner.confirms = {false, true};
    trainer.writeOut();
    EXPECT_EQ(folder.read(QStringLiteral("list.txt")), kWords);
    trainer.writeOut();
    EXPECT_EQ(folder.read(QStringLiteral("mine.TXT")), "keep me");
    trainer.writeOut();
    EXPECT_EQ(folder.read(QStringLiteral("mine.TXT")), kWords);
    EXPECT_EQ(learner.confirmations(), std::vector<QString>(2, replaceQuestion(folder.path("mine.TXT"))));
    EXPECT_FALSE(folder.exists(QStringLiteral("mine.TXT.txt")));
    trainer.writeOut();
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));

    learner.clear();
    learner.wordFiles = {QStringLiteral("words\\default")};
    try {
        trainer.writeOut();
        FAIL() << "wrote out over the current word file";
    } catch (const Failure& refusal) {
        EXPECT_EQ(refusal.text(),
                  QStringLiteral("今の単語ファイル words\\default.txt には書き出せません。"
                                 "別のファイルを選んでください"));
    }
    EXPECT_TRUE(learner.confirmations().empty());
}

TEST_F(TrainerTest, EachExportFilterWritesItsFormUnderItsSuffixAndTheCurrentFileIsRefusedUnderAll)
{
    open(kWords);
    ASSERT_EQ(Trainer::exportFilters().size(), 3);
    const struct {
        interchange::ExportFormat format;
        const char* file;
        QByteArray start;
    } rows[] = {{interchange::ExportFormat::Csv, "out.csv", "\xEF\xBB\xBF"},
                {interchange::ExportFormat::AnkiText, "out.txt", "#separator:tab"},
                {interchange::ExportFormat::Kvtml, "out.kvtml", "<?xml"}};
    for (const auto& row : rows) {
        EXPECT_TRUE(Trainer::exportFilters()[int(row.format)].endsWith(
            QStringLiteral("(*.") + interchange::suffixFor(row.format) + QLatin1Char(')')));
        EXPECT_EQ(Trainer::exportFormat(int(row.format)), row.format);
        exportTo(folder.path(QStringLiteral("out")), row.format);
        const QByteArray written = folder.read(QString::fromLatin1(row.file));
        EXPECT_TRUE(written.startsWith(row.start)) << row.file << ": " << written.left(20).toStdString();
        EXPECT_TRUE(written.contains("apple")) << row.file;
    }
    // Every filter names the current word file when its name ends so.
    for (const char* current : {"words/list.csv", "words/default.txt", "words/list.kvtml"}) {
        folder.write(QString::fromLatin1(current), kWords);
        openFile(folder.path(QString::fromLatin1(current)));
        const QString suffix = QLatin1Char('.') + QFileInfo(QString::fromLatin1(current)).suffix();
        const interchange::ExportFormat format = suffix == QLatin1String(".csv")
            ? interchange::ExportFormat::Csv
            : suffix == QLatin1String(".txt") ? interchange::ExportFormat::AnkiText
                                              : interchange::ExportFormat::Kvtml;
        EXPECT_THROW(exportTo(folder.path(QString::fromLatin1(current)).chopped(suffix.size()), format),
                     Failure)
            << current;
        EXPECT_EQ(folder.read(QString::fromLatin1(current)), kWords) << current;
    }
    EXPECT_TRUE(learner.confirmations().empty());
    // Another existing file asks first; キャンセル keeps it.
    learner.confirms = {false};
    exportTo(folder.path(QStringLiteral("out.csv")), interchange::ExportFormat::Csv);
    EXPECT_EQ(learner.confirmations(), std::vector<QString>{replaceQuestion(folder.path("out.csv"))});
}

TEST_F(TrainerTest, AResetTheLearnerDeclinesChangesNothing)
{
    open(kWords);
    learner.confirms = {false};
    EXPECT_FALSE(trainer.resetCounts().words);
    EXPECT_EQ(learner.confirmations(),
              std::vector<QString>{QStringLiteral("正解率データを消去します。よろしいですか？")});
    EXPECT_EQ(wordFile(), kWords);
}
