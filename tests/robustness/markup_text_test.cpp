// Markup in a word file, in a file's name and in what the learner types is
// shown as the characters it is made of, everywhere: the quiz, the test and
// its results, the word list and the change dialog, the options tab, the
// import preview and the real message boxes. An image named by such text is
// never loaded: not from a FIFO (the window would freeze), not from
// /dev/zero (memory would fill).

#include "core/trainer.h"
#include "markup_watch.h"
#include "support/fixtures.h"
#include "support/temp_folder.h"
#include "window/main_window.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace {

struct Hostile {
    const char* name;
    const char* text; // %FIFO% stands for the path of a real FIFO
};

const Hostile kHostile[] = {
    {"ImageFromAFifo", "<img src=%FIFO%>"},
    {"ImageFromDevZero", "<img src=/dev/zero>"},
    {"Link", "<a href=file:///etc/passwd>passwd</a>"},
    {"Bold", "<b>x</b>"},
    {"Entities", "&lt;b&gt; &amp;"},
};

class MarkupText : public ::testing::TestWithParam<Hostile> {
protected:
    void SetUp() override
    {
        const QString fifo = folder.path(QStringLiteral("pipe"));
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        h = QString::fromLatin1(GetParam().text).replace(QStringLiteral("%FIFO%"), fifo);
        tripwires.emplace(fifo);
    }
    void TearDown() override
    {
        window.reset();
        EXPECT_FALSE(tripwires->fifoOpened()) << "something opened the FIFO named in the text";
        EXPECT_TRUE(allBoxesPlain()) << "a box read its text as markup";
    }

    // Ten records, the hostile text in each text field of the first four.
    void start()
    {
        const QByteArray x = h.toLatin1();
        QByteArray bytes = x + ",mean0,ex0,exmean0,0,0,0\r\nw1," + x + ",ex1,exmean1,0,0,0\r\nw2,mean2," + x
            + ",exmean2,0,0,0\r\nw3,mean3,ex3," + x + ",0,0,0\r\n";
        for (int k = 4; k < 10; ++k)
            bytes += QStringLiteral("w%1,mean%1,ex%1,exmean%1,0,0,0\r\n").arg(k).toLatin1();
        folder.write(QStringLiteral("words/default.txt"), bytes);
        folder.writePrefs("words\\default.txt");
        Options options = trainer.options();
        options.order = QuizOrder::InTurn;
        trainer.setOptions(options);
        window = std::make_unique<MainWindow>(trainer, dialogs, testAssist(folder));
        window->FormCreate();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename W> W* find(const char* name) const
    {
        W* widget = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    void clickTab(int index) const
    {
        auto* bar = find<QTabBar>("TabBar");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // Drawn at once, as the learner sees it, with nothing read as markup.
    void expectPlainOnScreen() const
    {
        window->repaint();
        EXPECT_EQ(markup::markupRisks(), QStringList());
    }
    bool allBoxesPlain() const
    {
        for (const markup::RealBoxes::Shown& box : dialogs.shown)
            if (!box.risks.isEmpty())
                return false;
        return true;
    }
    // Whether a box or dialog shown since `from` held exactly `expected` as
    // its text, or as one line of its text.
    bool boxShowed(size_t from, const QString& expected) const
    {
        for (size_t i = from; i < dialogs.shown.size(); ++i)
            if (dialogs.shown[i].text == expected
                || dialogs.shown[i].text.split(QLatin1Char('\n')).contains(expected))
                return true;
        return false;
    }
    // What was shown since `from`, for a failure's message.
    std::string shownSince(size_t from) const
    {
        QStringList texts;
        for (size_t i = from; i < dialogs.shown.size(); ++i)
            texts << dialogs.shown[i].text;
        return texts.join(QStringLiteral(" | ")).toStdString();
    }
    void open(const QString& file)
    {
        clickTab(MainWindow::kOptions);
        dialogs.fileAnswers.push_back(file);
        click(find<QPushButton>("Button3"));
    }

    TempFolder folder;
    QString h;
    std::optional<markup::Tripwires> tripwires;
    Trainer trainer{folder.prefsFile()};
    markup::RealBoxes dialogs{folder.path(QStringLiteral("."))};
    std::unique_ptr<MainWindow> window;
};

TEST_P(MarkupText, InTheQuizPromptHintAndCorrection)
{
    start();
    clickTab(MainWindow::kQuiz);
    EXPECT_EQ(text("Label5"), QStringLiteral("mean0"));
    click(find<QPushButton>("Button5"));
    EXPECT_EQ(text("hint"), QStringLiteral("最初のスペルは 「<」").replace(u'<', h.front()));
    type(find<QLineEdit>("Edit3"), QStringLiteral("wrong"));
    EXPECT_EQ(text("ans"), QStringLiteral("正解：") + h);
    expectPlainOnScreen();

    click(find<QPushButton>("nextquestion"));
    EXPECT_EQ(text("Label5"), h);
    // Typed by the learner, too.
    type(find<QLineEdit>("Edit3"), h);
    EXPECT_EQ(text("ans"), QStringLiteral("正解：w1"));
    expectPlainOnScreen();

    // Example sentences: the meaning of the fourth is asked in turn.
    Options options = trainer.options();
    options.kind = QuestionKind::Example;
    trainer.setOptions(options);
    clickTab(MainWindow::kRegistration);
    clickTab(MainWindow::kQuiz);
    bool asked = false;
    for (int i = 0; i < 10 && !asked; ++i) {
        asked = text("Label5") == h;
        if (!asked)
            click(find<QPushButton>("nextquestion"));
    }
    EXPECT_TRUE(asked);
    expectPlainOnScreen();
}

TEST_P(MarkupText, InTheTestItsLastAnswerAndItsResults)
{
    start();
    clickTab(MainWindow::kTest);
    click(find<QPushButton>("Test_Normal"));
    bool prompted = false;
    QStringList lastAnswers;
    for (int i = 0; i < 10; ++i) {
        prompted = prompted || text("Label18") == h;
        type(find<QLineEdit>("Edit2"), h);
        lastAnswers << text("Label21");
        if (i == 0)
            expectPlainOnScreen();
    }
    EXPECT_TRUE(prompted);
    EXPECT_TRUE(lastAnswers.contains(QStringLiteral("mean0:") + h)) << lastAnswers.join(u' ').toStdString();
    EXPECT_TRUE(lastAnswers.contains(h + QStringLiteral(":w1")));

    auto* results = find<QTableWidget>("StringGrid2");
    QStringList problems;
    QStringList words;
    for (int row = 0; row < 10; ++row) {
        problems << results->item(row, 1)->text();
        words << results->item(row, 2)->text();
        EXPECT_EQ(results->item(row, 3)->text(), h);
    }
    EXPECT_TRUE(problems.contains(h));
    EXPECT_TRUE(words.contains(h));
    expectPlainOnScreen();
}

TEST_P(MarkupText, InTheWordListAndTheChangeDialog)
{
    start();
    clickTab(MainWindow::kList);
    auto* list = find<QTableView>("StringGrid1");
    const auto cell = [&](int row, int column) {
        return list->model()->index(row, column).data().toString();
    };
    EXPECT_EQ(cell(0, 1), h); // 単語
    EXPECT_EQ(cell(1, 2), h); // 意味
    EXPECT_EQ(cell(2, 5), h); // 例文
    EXPECT_EQ(cell(3, 6), h); // 例文意味
    expectPlainOnScreen();

    const size_t before = dialogs.shown.size();
    list->setCurrentIndex(list->model()->index(1, 2));
    click(find<QPushButton>("Button8"));
    EXPECT_TRUE(boxShowed(before, h)) << "the change dialog's old value" << shownSince(before);
}

TEST_P(MarkupText, InTheMessageThatACounterIsNoNumber)
{
    start();
    const QByteArray x = h.toLatin1();
    const QString expected = QStringLiteral("'%1' は整数ではありません.").arg(h);
    for (const QByteArray& record : {"apple,ringo,,,0," + x + ",0", "apple,ringo,,,0,0," + x}) {
        SCOPED_TRACE(record.toStdString());
        folder.write(QStringLiteral("counts.txt"), record + "\r\n");
        open(folder.path(QStringLiteral("counts.txt")));
        const size_t before = dialogs.shown.size();
        clickTab(MainWindow::kQuiz);
        type(find<QLineEdit>("Edit3"), QStringLiteral("apple"));
        EXPECT_TRUE(boxShowed(before, expected)) << "answering" << shownSince(before);
    }
    folder.write(QStringLiteral("part.txt"), "apple,ringo,,," + x + ",0,0\r\n");
    open(folder.path(QStringLiteral("part.txt")));
    const size_t before = dialogs.shown.size();
    clickTab(MainWindow::kList);
    EXPECT_TRUE(boxShowed(before, expected)) << "listing" << shownSince(before);
}

TEST_P(MarkupText, InAWordFilesNameOnTheOptionsTabAndInMessages)
{
    start();
    const QString named = folder.path(h + QStringLiteral(".txt"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(named).absolutePath()));
    size_t before = dialogs.shown.size();
    open(named);
    EXPECT_TRUE(boxShowed(before, QStringLiteral("ファイル %1 はありません。").arg(named)))
        << shownSince(before);
    EXPECT_EQ(text("path"), named);
    dialogs.fileAnswers.push_back(named);
    click(find<QPushButton>("Button1"));
    EXPECT_EQ(find<QLineEdit>("Edit1")->text(), named);
    expectPlainOnScreen();

    const QString pipe = folder.path(h + QStringLiteral("-pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    before = dialogs.shown.size();
    open(pipe);
    EXPECT_TRUE(boxShowed(
        before, QStringLiteral("ファイル %1 は開けません(通常のファイルではありません).").arg(pipe)));
    EXPECT_EQ(text("path"), named);
}

TEST_P(MarkupText, InTheImportPreview)
{
    start();
    clickTab(MainWindow::kOptions);
    folder.write(QStringLiteral("in.csv"), QStringLiteral("単語,意味\n%1,一つ目\n").arg(h).toUtf8());
    dialogs.fileAnswers.push_back(folder.path(QStringLiteral("in.csv")));
    const size_t before = dialogs.shown.size();
    click(find<QPushButton>("ImportButton"));
    // A reason quotes at most 40 characters of the row, as they stand.
    const QString quoted = h.size() <= 40 ? h : h.left(40) + QStringLiteral("…");
    EXPECT_TRUE(boxShowed(before, QStringLiteral("2 行目: 「%1」は既に登録されています").arg(quoted)))
        << shownSince(before);
}

INSTANTIATE_TEST_SUITE_P(Hostile, MarkupText, ::testing::ValuesIn(kHostile),
                         [](const auto& each) { return std::string(each.param.name); });

} // namespace
