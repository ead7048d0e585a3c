// Typing the English word with the meaning suggestions following it, beside
// the same fields without them: from a key pressed in the word field to the
// end of the repaint it causes (the typed letter shown, and with
// suggestions the list looked up again and redrawn). Runs on the display
// it is given: Xvfb under scripts/bench-dictionary.sh.
#include "assist/suggestion_popup.h"
#include "dictionary/meaning_finder.h"
#include "ui/controls.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using dictionary::MeaningFinder;

// Counts the repaints of the word field.
class PaintCount : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        count += e->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// The word and meaning fields where the registration panel has them.
struct Form {
    explicit Form(bool suggestions)
    {
        window.setFixedSize(498, 356);
        word = ui::edit(&window, "word", 72, 60, 145, 20);
        mean = ui::edit(&window, "mean", 72, 84, 241, 20);
        if (suggestions) {
            finder = std::make_unique<MeaningFinder>(QString::fromLatin1(dictionary::kEdictFile), cache.path());
            finder->prepare();
            QTest::qWaitFor([&] { return finder->state() != MeaningFinder::State::Loading; }, 120000);
            popup = new assist::SuggestionPopup(mean, finder.get());
            popup->follow(word);
        }
        word->installEventFilter(&paints);
        window.show();
        window.activateWindow();
        QTest::qWaitForWindowActive(&window);
        word->setFocus();
        QTest::qWait(50);
    }
    // One key and the repaint it causes.
    void type(int key)
    {
        const int before = paints.count;
        QTest::keyClick(word, Qt::Key(key));
        while (paints.count == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

    QTemporaryDir cache;
    QWidget window;
    QLineEdit* word = nullptr;
    QLineEdit* mean = nullptr;
    std::unique_ptr<MeaningFinder> finder;
    assist::SuggestionPopup* popup = nullptr;
    PaintCount paints;
};

// "apple" typed and taken back, one key an iteration.
void typeWords(benchmark::State& state, bool suggestions)
{
    Form form(suggestions);
    if (suggestions && form.finder->state() != MeaningFinder::State::Ready) {
        state.SkipWithError("the edict package is not installed");
        return;
    }
    static const int keys[] = {Qt::Key_A, Qt::Key_P, Qt::Key_P, Qt::Key_L, Qt::Key_E,
                               Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace,
                               Qt::Key_Backspace};
    size_t i = 0;
    int shown = 0;
    for (auto _ : state) {
        form.type(keys[i % std::size(keys)]);
        shown += form.popup && form.popup->isVisible() ? 1 : 0;
        ++i;
    }
    state.counters["list_shown"] = benchmark::Counter(double(shown) / double(i));
}

void Typing(benchmark::State& state)
{
    typeWords(state, true);
}

void TypingFloor(benchmark::State& state)
{
    typeWords(state, false);
}

} // namespace

BENCHMARK(Typing)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(500);
BENCHMARK(TypingFloor)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(500);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ui::installFontFallback();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
