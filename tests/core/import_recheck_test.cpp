// An import between its question and OK: planned against a copy of the
// words, checked again against the words as they are at OK, stopped when
// the learner cancels; and the rules it shares with registration.

#include "trainer_fixture.h"

#include "store/failure.h"

namespace {

class ImportRecheck : public TrainerTest {
protected:
    QString csv(const QByteArray& bytes)
    {
        folder.write(QStringLiteral("in.csv"), bytes);
        return folder.path(QStringLiteral("in.csv"));
    }
};

interchange::ImportRow row(int line, const QString& word, const QString& meaning = QStringLiteral("m"))
{
    return {line, word, meaning, {}, {}, {}};
}

TEST_F(ImportRecheck, AWordRegisteredMeanwhileIsAskedAboutAgainAndNeverAddedTwice)
{
    open(lines({"apple,りんご,,,0,0,0"}));
    // The job holds a copy of the words: what is registered after it was
    // made is not seen by its plan.
    const ImportJob job = trainer.importJob(csv("kiwi,キウイ\nfig,いちじく\npear,梨\n"));
    trainer.registerWord(typed("kiwi", "キウイ"));
    const ImportPlan plan = job.run();
    ASSERT_EQ(plan.words.size(), 3u);

    const QByteArray afterRegistration = wordFile();
    ImportOutcome outcome = trainer.importWords(plan);
    EXPECT_EQ(outcome.registered, 0);
    EXPECT_EQ(wordFile(), afterRegistration);
    ASSERT_TRUE(outcome.changed);
    const ImportPreview preview = previewImport(*outcome.changed);
    EXPECT_TRUE(preview.text.startsWith(
        QStringLiteral("2 語を登録します。\n次の 1 行は登録しません。\n確認のあとで")))
        << preview.text.toStdString();
    EXPECT_EQ(preview.list, QStringList{QStringLiteral("1 行目: 「kiwi」は既に登録されています")});

    outcome = trainer.importWords(*outcome.changed);
    EXPECT_EQ(outcome.registered, 2);
    EXPECT_FALSE(outcome.changed);
    EXPECT_EQ(outcome.message, QStringLiteral("2 語を登録しました。"));
    EXPECT_EQ(
        wordFile(),
        lines({"apple,りんご,,,0,0,0", "kiwi,キウイ,,,0,0,0", "fig,いちじく,,,0,0,0", "pear,梨,,,0,0,0"}));
}

TEST_F(ImportRecheck, RoomUsedUpMeanwhileRefusesTheWordsPastIt)
{
    open(numbered(997));
    const ImportPlan plan = trainer.planImport(csv("a,x\nb,y\nc,z\n"));
    ASSERT_EQ(plan.words.size(), 3u);
    trainer.registerWord(typed("late1", "m"));
    trainer.registerWord(typed("late2", "m"));
    const ImportOutcome outcome = trainer.importWords(plan);
    ASSERT_TRUE(outcome.changed);
    EXPECT_EQ(outcome.changed->records(), std::vector<QByteArray>{"a,x,,,0,0,0"});
    ASSERT_EQ(outcome.changed->refused.size(), 2u);
    EXPECT_EQ(outcome.changed->refused[1].line, 3);
    EXPECT_EQ(outcome.changed->refused[1].reason,
              QStringLiteral("一つの単語ファイルに登録できる1000語を超えます"));

    // Asked again after "a" was registered too: nothing left, and the
    // note is said once.
    remove(0);
    trainer.registerWord(typed("a", "x"));
    const ImportOutcome again = trainer.importWords(*outcome.changed);
    ASSERT_TRUE(again.changed);
    EXPECT_TRUE(again.changed->words.empty());
    EXPECT_EQ(again.changed->notes.size(), 1);
    EXPECT_FALSE(previewImport(*again.changed).registers);
}

TEST_F(ImportRecheck, ACancelledJobStopsAndChangesNothing)
{
    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many += "w" + QByteArray::number(i) + ",m\n";
    open(lines({"apple,りんご,,,0,0,0"}));
    const QByteArray before = wordFile();
    const ImportJob job = trainer.importJob(csv(many));
    EXPECT_THROW(job.run([](qint64, qint64) { return false; }), interchange::Cancelled);
    EXPECT_EQ(wordFile(), before);
    EXPECT_EQ(memory(), before);
}

TEST(ImportPreview, SaysHowManyRowsAreRefusedAndListsTheFirstOnly)
{
    std::vector<interchange::ImportRow> rows;
    for (int line = 1; line <= 1200; ++line)
        rows.push_back(row(line, line == 7 || line == 1100 ? QStringLiteral("w%1").arg(line) : QString()));
    const ImportPlan plan = planImport(rows, {}, 1000);
    EXPECT_EQ(plan.refusedRows, 1198);
    ASSERT_EQ(plan.refused.size(), size_t(kListedRefusals));
    const ImportPreview preview = previewImport(plan);
    EXPECT_EQ(preview.text, QStringLiteral("2 語を登録します。\n次の 1198 行は登録しません。"));
    ASSERT_EQ(preview.list.size(), kListedRefusals + 1);
    EXPECT_EQ(preview.list.front(), QStringLiteral("1 行目: 単語がありません"));
    EXPECT_EQ(preview.list.back(),
              QStringLiteral("ほか 698 行も登録しません(一覧は最初の 500 行までです)。"));

    // Checked again with both words registered: line 7 joins the list in
    // its place, line 1100 lies past the listed rows and is counted only.
    LineStore store;
    store.setText("w7,m,,,0,0,0\r\nw1100,m,,,0,0,0\r\n");
    const auto changed = recheckImport(plan, store);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->refusedRows, 1200);
    ASSERT_EQ(changed->refused.size(), size_t(kListedRefusals));
    EXPECT_EQ(changed->refused[6].line, 7);
    EXPECT_EQ(changed->refused[6].reason, QStringLiteral("「w7」は既に登録されています"));
    EXPECT_EQ(changed->refused.back().line, 500);
    EXPECT_FALSE(recheckImport(plan, LineStore()));
}

// Registration and import refuse the same texts for the same reason: one
// rule set, said in each one's words.
TEST_F(ImportRecheck, RegistrationAndImportShareTheirRules)
{
    const struct {
        const char* what;
        NewWord word;
        bool raises; // registration raises the codec's failure
    } cases[] = {
        {"comma in the meaning", {QStringLiteral("a"), QStringLiteral("x, y"), {}, {}, 0}, false},
        {"tab in the example",
         {QStringLiteral("b"), QStringLiteral("m"), QStringLiteral("x\ty"), {}, 0},
         false},
        {"longer than the form holds",
         {QStringLiteral("c"), QStringLiteral("m"), {}, QString(interchange::kMaxFieldChars + 1, u'x'), 0},
         false},
        {"no CP932 code", {QStringLiteral("d"), QStringLiteral("🍐"), {}, {}, 0}, true},
        {"a word that passes",
         {QStringLiteral("e"), QStringLiteral("m"), QStringLiteral("An e."), {}, 0},
         false},
    };
    for (const auto& c : cases) {
        std::optional<RegistrationResult> registered;
        QByteArray record;
        try {
            registered = RegistrationRules(LineStore{}).check(c.word, record);
        } catch (const Failure&) {
        }
        EXPECT_EQ(!registered, c.raises) << c.what;
        const ImportPlan plan =
            planImport({{1, c.word.word, c.word.mean, c.word.example, c.word.exampleMean, {}}}, {}, 1000);
        const bool importRefuses = plan.words.empty();
        const bool registrationRefuses = !registered || registered->kind != RegistrationResult::Registered;
        EXPECT_EQ(importRefuses, registrationRefuses) << c.what;
        if (registered && registered->kind == RegistrationResult::RefusedText) {
            ASSERT_EQ(plan.refused.size(), 1u) << c.what;
            EXPECT_TRUE(plan.refused[0].reason.endsWith(registered->message.section(u'\n', 0, 0)))
                << c.what << ": " << plan.refused[0].reason.toStdString();
        }
    }
}

} // namespace
