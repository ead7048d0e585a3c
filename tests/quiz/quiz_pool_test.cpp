#include "quiz_fixture.h"

namespace {

using P = const char*;

TEST_F(QuizTest, PanelLayoutCaptionsFontsAndTabOrder)
{
    startWith(lines({"apple,りんご,,,0,0,0"}));
    options("RadioButton9", "RadioButton12");
    clickTab(1);
    const QuizControls q = quiz();
    EXPECT_EQ(q.Panel2->geometry(), QRect(8, 24, 481, 313));
    EXPECT_EQ(q.Label4->text(), "Q.  次の単語のスペルを答えよ。");
    EXPECT_EQ(q.Label4->pos(), QPoint(7, 6));
    EXPECT_EQ(q.Label4->font().pixelSize(), 19);
    EXPECT_EQ(q.no->pos(), QPoint(320, 16));
    EXPECT_EQ(q.Label5->pos(), QPoint(24, 40));
    EXPECT_EQ(q.Label5->font().pixelSize(), 16);
    EXPECT_EQ(q.hint->pos(), QPoint(24, 56));
    EXPECT_EQ(q.ans->pos(), QPoint(1, 128));
    EXPECT_EQ(q.Edit3->geometry(), QRect(8, 88, 417, 24));
    EXPECT_EQ(q.Edit3->font().pixelSize(), 16);
    EXPECT_EQ(q.Button4->geometry(), QRect(32, 264, 75, 25));
    EXPECT_EQ(q.nextquestion->geometry(), QRect(128, 264, 75, 25));
    EXPECT_EQ(q.Button5->geometry(), QRect(216, 264, 75, 25));
    EXPECT_EQ(q.Button4->text(), "回答！(&A)");
    EXPECT_EQ(q.nextquestion->text(), "次の問題(&N)");
    EXPECT_EQ(q.Button5->text(), "ヒント(&H)");

    QStringList order;
    const QStringList stops = {"Edit3", "Button4", "nextquestion", "Button5"};
    for (QWidget* w = q.Edit3; order.size() < stops.size(); w = w->nextInFocusChain())
        if (stops.contains(w->objectName()) && !order.contains(w->objectName()))
            order << w->objectName();
    EXPECT_EQ(order, stops);
}

TEST_F(QuizTest, PoolFollowsFilterAndKind)
{
    startWith(lines({"apple,りんご,,,0,0,0", // never answered
                     "book,本,I read a book.,私は本を読む。,0,5,3", // 60%
                     "cat,猫,A cat.,,0,3,2", // 66.7%, no example meaning
                     "dog,犬,,犬です,0,4,0", // 0%, no example
                     "egg,卵,An egg.,卵です。,0,0,0", "",
                     "fig,いちじく,A fig.,いちじくです。,0,0,0"})); // behind the empty line
    struct Case {
        P filter;
        P kind;
        Slots expected;
    };
    const Case cases[] = {
        {"RadioButton9", "RadioButton12", {"0", "1", "2", "3", "4"}},
        {"RadioButton10", "RadioButton12", {"0", "4"}},
        {"RadioButton11", "RadioButton12", {"1", "3"}},
        {"RadioButton9", "RadioButton13", {"1", "4"}},
        {"RadioButton10", "RadioButton13", {"4"}},
        {"RadioButton11", "RadioButton13", {"1"}},
    };
    for (const Case& c : cases) {
        options(c.filter, c.kind);
        clickTab(0);
        clickTab(1);
        EXPECT_EQ(pool(), c.expected);
        EXPECT_EQ(QByteArray::number(trainer.quiz().question()), c.expected.front());
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(QuizTest, NoQualifyingRecordSendsUserToOptions)
{
    startWith(lines({"apple,りんご,,,0,1,1", "book,本,,,0,2,0"}));
    options("RadioButton10", "RadioButton12");
    clickTab(1);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0],
              "出題モードに該当した単語が一つもありませんでした。\nオプションで設定し直してください。");
    EXPECT_EQ(find<QTabBar>("TabBar")->currentIndex(), 4);
    EXPECT_TRUE(visible(window->options()));
    EXPECT_FALSE(visible(quiz().Panel2));
}

TEST_F(QuizTest, DamagedCounterStopsPoolOnlyWhereConverted)
{
    startWith(lines({"ant,蟻,,,0,5,1", "bad,悪い,,,0,0,x", "cat,猫,,,0,0,0"}));
    options("RadioButton11", "RadioButton12");
    clickTab(1);
    EXPECT_EQ(dialogs.errors(), std::vector<QString>{"'x' は整数ではありません."});
    // The pool is built whole or not at all: nothing was built before.
    EXPECT_EQ(pool(), Slots{});
    EXPECT_TRUE(visible(quiz().Button4) && visible(quiz().nextquestion) && visible(quiz().Button5));
    EXPECT_FALSE(visible(quiz().hint) || visible(quiz().ans));
    EXPECT_TRUE(quiz().Label5->text().isEmpty()); // no question asked

    options("RadioButton9", "RadioButton12");
    clickTab(0);
    clickTab(1);
    EXPECT_EQ(pool(), (Slots{"0", "1", "2"}));
    options("RadioButton10", "RadioButton12");
    clickTab(0);
    clickTab(1);
    EXPECT_EQ(pool(), (Slots{"1", "2"}));
    EXPECT_EQ(dialogs.errors().size(), 1u);
}

TEST_F(QuizTest, EmptyPoolLeftByDamagedRecordFailsNextQuestion)
{
    startWith(lines({"bad,悪い,,,0,0,x"}));
    options("RadioButton11", "RadioButton12");
    clickTab(1);
    EXPECT_EQ(dialogs.errors(), std::vector<QString>{"'x' は整数ではありません."});
    dialogs.clear();
    click(quiz().nextquestion);
    EXPECT_EQ(dialogs.errors(), std::vector<QString>{"'' は整数ではありません."});
}

TEST_F(QuizTest, PoolReachesIndex1000AndRightAnswerSavesAtOnce)
{
    QByteArray bytes;
    for (int i = 0; i < 1002; ++i)
        bytes += "w" + QByteArray::number(i) + ",m" + QByteArray::number(i) + ",,,0,0,0\r\n";
    startWith(bytes);
    options("RadioButton9", "RadioButton12");
    clickTab(1);
    EXPECT_EQ(pool().size(), 1001u);
    EXPECT_EQ(pool().back(), "1000");
    EXPECT_EQ(quiz().no->text(), "出題No  1/1001");
    type("w0");
    enter();
    EXPECT_EQ(quiz().no->text(), "出題No  2/1001");
    EXPECT_EQ(quiz().Label5->text(), "m1");
    EXPECT_TRUE(wordFile().startsWith("w0,m0,,,0,1,1\r\nw1,m1,,,0,0,0\r\n"));
    EXPECT_TRUE(wordFile().endsWith("w1001,m1001,,,0,0,0\r\n"));
}

} // namespace
