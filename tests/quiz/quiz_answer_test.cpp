#include "quiz_fixture.h"

#include "store/random.h"

namespace {

const QString kRight = "正解っす";
const QString kWrong = "残念！";

TEST_F(QuizTest, InTurnCountsWrapsAndRestartsOnReselect)
{
    startWith(lines({"apple,りんご,,,0,0,0", "book,本,,,0,0,0", "cat,猫,,,0,0,0"}));
    options("RadioButton9", "RadioButton12");
    clickTab(1);
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        seen << quiz().no->text() + " " + quiz().Label5->text();
        click(quiz().nextquestion);
    }
    EXPECT_EQ(seen,
              QStringList({"出題No  1/3 りんご", "出題No  2/3 本", "出題No  3/3 猫", "出題No  1/3 りんご"}));
    clickTab(0);
    clickTab(1);
    EXPECT_EQ(quiz().no->text(), "出題No  1/3");
}

TEST_F(QuizTest, RandomOrderDrawsFromSeededGenerator)
{
    startWith(lines(
        {"apple,りんご,,,0,1,1", "book,本,,,0,0,0", "cat,猫,,,0,1,1", "dog,犬,,,0,0,0", "egg,卵,,,0,0,0"}));
    options("RadioButton10", "RadioButton12", "RadioButton4");
    clickTab(1);
    trainer.seed(12345);
    Random expected;
    expected.setSeed(12345);
    const char* prompts[] = {"本", "犬", "卵"}; // pool: records 1, 3, 4
    for (int i = 0; i < 12; ++i) {
        click(quiz().nextquestion);
        EXPECT_EQ(quiz().Label5->text(), QString::fromUtf8(prompts[expected.Next(3)]));
        EXPECT_TRUE(quiz().no->text().isEmpty());
    }
}

TEST_F(QuizTest, RightAnswerCountsSavesAndMovesOn)
{
    startWith(lines({"apple,りんご,,,0,2,1", "book,本,,,0,0,0"}));
    options("RadioButton9", "RadioButton12");
    clickTab(1);
    EXPECT_EQ(quiz().Label5->text(), "りんご");
    type("apple");
    enter();
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{kRight});
    EXPECT_EQ(wordFile(), lines({"apple,りんご,,,0,3,2", "book,本,,,0,0,0"}));
    EXPECT_EQ(quiz().Label5->text(), "本");
    EXPECT_TRUE(quiz().Edit3->text().isEmpty());
    EXPECT_TRUE(quiz().Button4->isEnabled());
}

TEST_F(QuizTest, WrongAnswersCountOnlyAskedAndBlockEnter)
{
    startWith(lines({"apple,りんご,,,0,0,0"}));
    options("RadioButton9", "RadioButton12");
    clickTab(1);
    int asked = 0;
    for (const QString typed : {"Apple", "apple ", " apple", "café", "한", "😀"}) {
        type(typed);
        enter();
        ++asked;
        EXPECT_EQ(dialogs.messages().back(), kWrong) << typed.toStdString();
        EXPECT_EQ(quiz().ans->text(), "正解：apple");
        EXPECT_FALSE(quiz().Button4->isEnabled());
        const QByteArray file =
            lines({"apple,りんご,,,0,0,0"}).replace(",0,0\r", "," + QByteArray::number(asked) + ",0\r");
        EXPECT_EQ(wordFile(), file);

        // Enter does nothing until the next question is asked.
        enter();
        EXPECT_EQ(dialogs.shown.size(), size_t(asked));
        EXPECT_EQ(wordFile(), file);
        click(quiz().nextquestion);
        EXPECT_TRUE(quiz().Button4->isEnabled());
        EXPECT_TRUE(quiz().ans->text().isEmpty());
    }
    EXPECT_TRUE(dialogs.errors().empty());
}

TEST_F(QuizTest, EmptyAnswerDoesNothing)
{
    startWith(lines({"apple,りんご,,,0,0,0"}));
    options("RadioButton9", "RadioButton12");
    clickTab(1);
    const QByteArray before = wordFile();
    click(quiz().Button4);
    enter();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(wordFile(), before);
    EXPECT_TRUE(quiz().Button4->isEnabled());
}

TEST_F(QuizTest, ExampleQuestionsAskTheSentence)
{
    startWith(lines({"book,本,I read a book.,私は本を読む。,0,0,0"}));
    options("RadioButton9", "RadioButton13");
    clickTab(1);
    EXPECT_EQ(quiz().Label4->text(), "Q.  英訳せよ。");
    EXPECT_EQ(quiz().Label5->text(), "私は本を読む。");
    type("book");
    enter();
    EXPECT_EQ(quiz().ans->text(), "正解：book");
    click(quiz().nextquestion);
    type("I read a book.");
    click(quiz().Button4);
    EXPECT_EQ(dialogs.messages(), (std::vector<QString>{kWrong, kRight}));
    EXPECT_EQ(wordFile(), lines({"book,本,I read a book.,私は本を読む。,0,2,1"}));

    options("RadioButton9", "RadioButton12");
    click(quiz().nextquestion);
    EXPECT_EQ(quiz().Label4->text(), "Q.  次の単語のスペルを答えよ。");
}

TEST_F(QuizTest, HintShowsFirstWholeCharacter)
{
    startWith(lines({"apple,りんご,,,0,0,0", "日本,Japan,,,0,0,0", ",空,,,0,0,0"}));
    options("RadioButton9", "RadioButton12");
    clickTab(1);
    QStringList hints;
    for (int i = 0; i < 3; ++i) {
        click(quiz().Button5);
        hints << quiz().hint->text();
        click(quiz().nextquestion);
    }
    EXPECT_EQ(hints,
              QStringList({"最初のスペルは 「a」", "最初のスペルは 「日」",
                           "この単語にはスペルが登録されていません"}));
    EXPECT_EQ(wordFile(), lines({"apple,りんご,,,0,0,0", "日本,Japan,,,0,0,0", ",空,,,0,0,0"}));
}

TEST_F(QuizTest, DamagedCountersDuringRightAnswer)
{
    startWith(lines({"apple,りんご,,,0,y,0", "book,本,,,0,0,x"}));
    options("RadioButton9", "RadioButton12");
    clickTab(1);
    const QByteArray before = wordFile();

    // `asked` fails after `correct` was rebuilt: the answer counts nothing,
    // however often it is tried, and the same question stays answerable.
    for (int attempt = 1; attempt <= 2; ++attempt) {
        type("apple");
        enter();
        EXPECT_EQ(dialogs.messages(), std::vector<QString>(size_t(attempt), kRight));
        EXPECT_EQ(dialogs.errors(), std::vector<QString>(size_t(attempt), "'y' は整数ではありません."));
        EXPECT_EQ(trainer.book().store.ReadLine(0), sjis("apple,りんご,,,0,y,0"));
        EXPECT_EQ(wordFile(), before);
        EXPECT_EQ(quiz().Label5->text(), "りんご");
        EXPECT_EQ(quiz().Edit3->text(), "apple");
        EXPECT_TRUE(quiz().Button4->isEnabled());
        quiz().Edit3->clear();
    }

    // `correct` fails first: nothing is written.
    click(quiz().nextquestion);
    type("book");
    enter();
    EXPECT_EQ(dialogs.errors().back(), "'x' は整数ではありません.");
    EXPECT_EQ(trainer.book().store.ReadLine(1), sjis("book,本,,,0,0,x"));
    EXPECT_EQ(wordFile(), before);
}

TEST_F(QuizTest, DamagedAskedDuringWrongAnswer)
{
    startWith(lines({"apple,りんご,,,0,y,0"}));
    options("RadioButton9", "RadioButton12");
    clickTab(1);
    const QByteArray before = wordFile();
    type("pear");
    enter();
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{kWrong});
    EXPECT_EQ(dialogs.errors(), std::vector<QString>{"'y' は整数ではありません."});
    // Nothing of the answer happened: no word shown, answering still open.
    EXPECT_TRUE(quiz().ans->text().isEmpty());
    EXPECT_TRUE(quiz().Button4->isEnabled());
    EXPECT_EQ(wordFile(), before);
}

} // namespace
