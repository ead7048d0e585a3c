#include "exam_fixture.h"

#include <QFont>
#include <QHeaderView>
#include <QSet>
#include <ostream>
#include <vector>

namespace {

struct Kind {
    const char* button;
    const char* title;
    const char* subtitle; // as shown beside the title, empty for none
};

void PrintTo(const Kind& kind, std::ostream* os)
{
    *os << kind.button;
}

class ExamKinds : public ExamFixture, public ::testing::WithParamInterface<Kind> { };

} // namespace

// Every kind ends after exactly N answers; the score never exceeds the rows.
TEST_P(ExamKinds, ResultsAfterTheLengthInAnswers)
{
    const Kind kind = GetParam();
    startWithRecords(12);
    pressStart(kind.button);
    std::vector<QByteArray> typed;
    QSet<int> asked;
    for (int q = 1; q <= 10; ++q) {
        ASSERT_TRUE(visible(exam().Panel5)) << q;
        asked.insert(askedRecord());
        typed.push_back(q <= 7 ? rightAnswer() : QByteArray("Word"));
        answer(QString::fromLatin1(typed.back()));
    }
    EXPECT_EQ(asked.size(), 10);
    ASSERT_TRUE(visible(exam().Panel6));
    EXPECT_FALSE(visible(exam().Panel5));
    EXPECT_FALSE(running());
    EXPECT_EQ(text("Label24"), QString::fromUtf8(kind.title));
    EXPECT_EQ(text("Label17"), QStringLiteral("正解数　7/ 10"));
    EXPECT_EQ(text("Label20"), QStringLiteral("結果発表！"));
    const QString subtitle = QString::fromUtf8(kind.subtitle);
    EXPECT_EQ(visible(exam().Label25), !subtitle.isEmpty());
    EXPECT_EQ(text("Label25"), subtitle);
    if (!subtitle.isEmpty()) {
        EXPECT_GT(exam().Label25->x(), exam().Label24->x() + exam().Label24->width());
    }
    EXPECT_TRUE(visible(exam().Button11));

    for (int row = 0; row < 10; ++row) {
        const QString word = cell(row, 2);
        EXPECT_EQ(cell(row, 0), row < 7 ? QStringLiteral("○") : QStringLiteral("×")) << row;
        EXPECT_EQ(cell(row, 1), QStringLiteral("意味") + word.mid(4)) << row;
        EXPECT_EQ(cell(row, 3), QString::fromLatin1(typed[static_cast<size_t>(row)])) << row;
    }
    for (int column = 0; column < 4; ++column)
        EXPECT_TRUE(cell(10, column).isEmpty());
    EXPECT_TRUE(dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(AllKinds, ExamKinds,
                         ::testing::Values(Kind{"Test_Normal", "普通モード", ""},
                                           Kind{"Test_Time", "タイムアタック", "（終了！）"},
                                           Kind{"Test_All", "全制覇モード", "（全単語制覇！）"}));

TEST_F(ExamFixture, ConfirmReturnsToTheStartAndANewTestClearsOldRows)
{
    startWithRecords(30);
    chooseLength("Opt_Q_20");
    pressStart("Test_Normal");
    for (int q = 0; q < 20; ++q)
        answerRight();
    EXPECT_EQ(cell(19, 0), QStringLiteral("○"));

    QTest::mouseClick(exam().Button11, Qt::LeftButton);
    EXPECT_TRUE(visible(exam().Panel4));
    EXPECT_FALSE(visible(exam().Panel6));

    chooseLength("Opt_Q_10");
    pressStart("Test_Normal");
    EXPECT_FALSE(visible(exam().Panel6));
    for (int tick = 0; tick < 301; ++tick)
        exam().Timer1Timer();
    EXPECT_EQ(text("Label17"), QStringLiteral("正解数　0/ 10"));
    EXPECT_EQ(cell(9, 0), QStringLiteral("×"));
    for (int column = 0; column < 4; ++column)
        EXPECT_TRUE(cell(10, column).isEmpty()) << column;
}

TEST_F(ExamFixture, TimeAttackAtProgramStartAsksAFreshOrder)
{
    startWithRecords(12);
    pressStart("Test_Time");
    EXPECT_TRUE(dialogs.shown.empty());
    QSet<int> asked;
    for (int q = 0; q < 10; ++q) {
        const int rec = askedRecord();
        EXPECT_GE(rec, 1);
        EXPECT_LE(rec, 12);
        asked.insert(rec);
        answerRight();
    }
    EXPECT_EQ(asked.size(), 10);
    EXPECT_EQ(text("Label17"), QStringLiteral("正解数　10/ 10"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ExamFixture, TimeAttackRepeatsTheLastNormalTestUntilTheQuizTakesTheList)
{
    startWithRecords(12);
    pressStart("Test_Normal");
    std::vector<int> normalOrder;
    for (int q = 0; q < 10; ++q) {
        normalOrder.push_back(askedRecord());
        answerRight();
    }
    QTest::mouseClick(exam().Button11, Qt::LeftButton);

    QTest::mouseClick(find<QPushButton>("Test_Time"), Qt::LeftButton);
    for (int q = 0; q < 10; ++q) {
        EXPECT_EQ(askedRecord(), normalOrder[static_cast<size_t>(q)]) << q;
        answerRight();
    }

    // The quiz tab leaves its pool in the list: record indices from 0.
    clickTab(MainWindow::kQuiz);
    ASSERT_EQ(trainer.order().ReadLine(0), "0");

    pressStart("Test_All");
    EXPECT_TRUE(dialogs.shown.empty());
    QSet<int> asked;
    for (int q = 0; q < 10; ++q) {
        const int rec = askedRecord();
        EXPECT_GE(rec, 1) << q;
        asked.insert(rec);
        answerRight();
    }
    EXPECT_EQ(asked.size(), 10);
    EXPECT_EQ(text("Label17"), QStringLiteral("正解数　10/ 10"));
    EXPECT_TRUE(dialogs.errors().empty());
}

TEST_F(ExamFixture, TimeAttackAfterLoadingAShorterWordFileGetsAnOrderOfItsRecords)
{
    startWithRecords(12);
    pressStart("Test_Normal");
    for (int q = 0; q < 10; ++q)
        answerRight();

    folder.write(QStringLiteral("words/other.txt"), records(10, 101));
    dialogs.fileAnswers = {QStringLiteral("words/other.txt")};
    clickTab(MainWindow::kOptions);
    QTest::mouseClick(find<QPushButton>("Button3"), Qt::LeftButton);
    ASSERT_EQ(trainer.book().path.shown(), QStringLiteral("words/other.txt"));

    pressStart("Test_Time");
    QSet<int> asked;
    for (int q = 0; q < 10; ++q) {
        asked.insert(askedRecord());
        answerRight();
    }
    EXPECT_EQ(asked, QSet<int>({101, 102, 103, 104, 105, 106, 107, 108, 109, 110}));
    EXPECT_TRUE(dialogs.errors().empty());
}

TEST_F(ExamFixture, PanelsAreLaidOutAsDesigned)
{
    startWithRecords(12);
    clickTab(MainWindow::kTest);
    const auto at = [this](const char* name) { return find<QWidget>(name)->geometry(); };
    EXPECT_EQ(at("Test_Normal"), QRect(32, 144, 121, 25));
    EXPECT_EQ(at("Test_Time"), QRect(32, 184, 121, 25));
    EXPECT_EQ(at("Test_All"), QRect(32, 224, 121, 25));
    EXPECT_EQ(at("Edit2"), QRect(8, 112, 225, 24));
    EXPECT_EQ(at("Checkans"), QRect(8, 144, 75, 25));
    EXPECT_EQ(at("StringGrid2"), QRect(8, 64, 353, 177));
    EXPECT_EQ(at("Button11"), QRect(16, 264, 41, 25));
    EXPECT_EQ(at("Label17").topLeft(), QPoint(216, 32));
    EXPECT_EQ(find<QLabel>("Label20")->font().pixelSize(), 37);
    EXPECT_EQ(find<QLabel>("Label18")->font().pixelSize(), 16);
    EXPECT_EQ(find<QPushButton>("Button11")->font().pixelSize(), 13);
    EXPECT_EQ(text("Label10"), QStringLiteral("Q.  覚悟はいいですかぁ～"));
    EXPECT_EQ(find<QPushButton>("Checkans")->text(), QStringLiteral("回答！(&A)"));
    EXPECT_EQ(exam().Test_Normal->nextInFocusChain(), exam().Test_Time);
    EXPECT_EQ(exam().Test_Time->nextInFocusChain(), exam().Test_All);
    EXPECT_EQ(exam().Edit2->nextInFocusChain(), exam().Checkans);
    EXPECT_EQ(exam().Button11->nextInFocusChain(), exam().StringGrid2);

    QTableWidget* grid = exam().StringGrid2;
    EXPECT_EQ(grid->rowCount() + 1, 100);
    ASSERT_EQ(grid->columnCount(), 4);
    const int widths[] = {32, 96, 101, 97};
    const char* heading[] = {"○/×", "問題", "正解", "あなたの回答"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(grid->columnWidth(c), widths[c]);
        EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), QString::fromUtf8(heading[c]));
        EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(c), QHeaderView::Fixed);
    }
    EXPECT_EQ(grid->rowHeight(0), 18);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(grid->verticalHeader()->isVisible());
}
