// The tabs' costs with a full word file, each beside the floor no program on
// the same toolkit can beat: one quiz answer and 初期化 against one atomic
// save; filling the list against a bare QTableWidget of the same texts;
// building the low-accuracy pool against reading fields 6 and 7 once.
#include "bench_data.h"

#include "quiz/quiz_panel.h"
#include "registration/word_list.h"
#include "store/codec.h"
#include "store/line_store.h"
#include "store/record.h"
#include "support/fixtures.h"
#include "window/main_window.h"
#include "window/options_panel.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A started program on a word file of `records` lines.
struct Program {
    explicit Program(int records)
    {
        folder.write(QStringLiteral("words/default.txt"), benchWordFile(records));
        folder.writePrefs("words\\default.txt");
        window = std::make_unique<MainWindow>(trainer, dialogs);
        window->show();
    }
    TempFolder folder;
    Trainer trainer{folder.prefsFile()};
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

void QuizAnswer(benchmark::State& s)
{
    Program p(int(s.range(0)));
    p.window->options()->RadioButton3->setChecked(true); // in turn: every answer moves on
    p.window->tabBar->setCurrentIndex(MainWindow::kQuiz);
    QuizPanel& quiz = *p.window->quiz();
    for (auto _ : s) {
        s.PauseTiming();
        const int index = p.trainer.quiz().question();
        quiz.Edit3->setText(cp932::decode(ReadField(p.trainer.book().store, index, kWord)));
        p.dialogs.clear();
        s.ResumeTiming();
        quiz.Button4Click();
    }
}

void QuizAnswerFloor(benchmark::State& s)
{
    TempFolder folder;
    const QByteArray bytes = benchWordFile(int(s.range(0)));
    const QString path = folder.path(QStringLiteral("w.txt"));
    for (auto _ : s)
        atomicSave(path, bytes);
}

void ResetAll(benchmark::State& s)
{
    Program p(int(s.range(0)));
    const QString answered = p.folder.path(QStringLiteral("answered.txt"));
    p.trainer.writeWordFile(answered);
    for (auto _ : s) {
        s.PauseTiming();
        p.trainer.openWordFile(answered); // every run resets real counters
        s.ResumeTiming();
        p.window->options()->Button7Click(); // the confirmation answers OK
    }
}

void ListFill(benchmark::State& s)
{
    Program p(int(s.range(0)));
    for (auto _ : s) {
        p.window->wordList()->hideForTabSwitch();
        if (!p.window->wordList()->prepare())
            std::abort();
    }
}

void ListFillFloor(benchmark::State& s)
{
    const int records = std::min(int(s.range(0)), 1000);
    LineStore store;
    store.setText(benchWordFile(records));
    // The same texts, decoded once up front: the floor fills cells only.
    std::vector<QString> texts;
    for (int r = 0; r < records; ++r) {
        texts.push_back(QString::number(r + 1));
        for (int k : {1, 2})
            texts.push_back(cp932::decode(ReadField(store, r, k)));
        texts.push_back(PartName(StrToInt(ReadField(store, r, 5))));
        texts.push_back(QString::fromLatin1(
            AccuracyText(StrToInt(ReadField(store, r, 6)), StrToInt(ReadField(store, r, 7)))));
        for (int k : {3, 4})
            texts.push_back(cp932::decode(ReadField(store, r, k)));
    }
    QWidget window;
    window.resize(498, 356);
    auto* grid = new QTableWidget(100, 7, &window);
    grid->setGeometry(4, 23, 490, 289);
    window.show();
    for (auto _ : s) {
        grid->hide();
        grid->setUpdatesEnabled(false);
        grid->setRowCount(records);
        for (int r = 0; r < records; ++r)
            for (int c = 0; c < 7; ++c)
                grid->setItem(r, c, new QTableWidgetItem(texts[size_t(r * 7 + c)]));
        grid->setUpdatesEnabled(true);
        grid->show();
    }
}

void LowAccuracyPool(benchmark::State& s)
{
    Program p(int(s.range(0)));
    p.window->options()->RadioButton11->setChecked(true);
    for (auto _ : s) {
        p.window->quiz()->hideForTabSwitch();
        if (!p.window->quiz()->prepare())
            std::abort();
    }
}

void LowAccuracyPoolFloor(benchmark::State& s)
{
    LineStore store;
    store.setText(benchWordFile(int(s.range(0))));
    const int records = std::min(store.LineCount(), 1001);
    for (auto _ : s) {
        long sum = 0;
        for (int i = 0; i < records; ++i) {
            const QByteArray& line = store.ReadLine(i);
            // Fields 6 and 7: after the fifth comma.
            qsizetype at = 0;
            for (int commas = 0; commas < 5; ++commas)
                at = line.indexOf(',', at) + 1;
            const qsizetype sixth = line.indexOf(',', at);
            sum += line.mid(at, sixth - at).toInt() + line.mid(sixth + 1).toInt();
        }
        benchmark::DoNotOptimize(sum);
    }
}

} // namespace

BENCHMARK(QuizAnswer)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(QuizAnswerFloor)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(ResetAll)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(ListFill)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(ListFillFloor)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(LowAccuracyPool)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(LowAccuracyPoolFloor)->Arg(100)->Arg(1000)->Arg(10000);
