// Typing the English word in the registration panel with the meaning
// suggestions following it, beside the same panel with them switched off:
// from a key pressed in 単語 to the typed letter drawn; with suggestions
// also to the list drawn anew for the word as typed. Each key is followed by a pause as between a learner's
// keys, so the list is looked up for every one. Runs on the display it is
// given: Xvfb under scripts/bench-dictionary.sh.
#include "assist/suggestion_popup.h"
#include "core/trainer.h"
#include "dictionary/meaning_finder.h"
#include "registration/registration_panel.h"
#include "speech/speaker.h"
#include "ui/controls.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <utility>

namespace {

using dictionary::MeaningFinder;

// Between two keys, as a learner types; longer than the list waits.
constexpr int kPauseMs = 80;

using Clock = std::chrono::steady_clock;

// Counts a widget's repaints and when the last one began.
class Paints : public QObject {
public:
    int count = 0;
    Clock::time_point last;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            ++count;
            last = Clock::now();
        }
        return false;
    }
};

// Counts the repaints of the suggestion list, which is made only when it
// first has something to show: watched through the application.
class ListPaints : public Paints {
public:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && watched->objectName() == QLatin1String("qt_scrollarea_viewport")
            && watched->parent() && watched->parent()->objectName() == QLatin1String("meaningSuggestionList"))
            Paints::eventFilter(watched, e);
        return false;
    }
};

// The registration panel as the window has it, with its speak buttons
// (over a speaker never started) and its suggestion list.
struct Form {
    explicit Form(bool suggestions)
    {
        window.setFixedSize(498, 356);
        auto* tabControl = new QWidget(&window);
        tabControl->setGeometry(0, 0, 498, 356);
        speech::SpeechSettings quiet;
        quiet.engine = QStringLiteral("no-such-engine");
        speaker = std::make_unique<speech::Speaker>(quiet);
        finder = std::make_unique<MeaningFinder>(QString::fromLatin1(dictionary::kEdictFile), cache.path());
        if (suggestions) {
            finder->prepare();
            if (!QTest::qWaitFor([&] { return finder->state() != MeaningFinder::State::Loading; }, 120000))
                std::abort();
        }
        panel = new RegistrationPanel(tabControl, trainer, dialogs, {speaker.get(), finder.get()});
        panel->showPanel();
        word = panel->findChild<QLineEdit*>(QStringLiteral("word"));
        popup = window.findChild<assist::SuggestionPopup*>(QStringLiteral("meaningSuggestions"));
        popup->setActive(suggestions);
        qApp->installEventFilter(&listPaints);
        word->installEventFilter(&paints);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            std::abort();
        word->setFocus();
        QTest::qWait(50);
    }
    // One key: the time until the letter is drawn, and until the list is
    // drawn anew (zero when it was not).
    std::pair<double, double> type(int key)
    {
        const int before = paints.count;
        const int listBefore = listPaints.count;
        const Clock::time_point start = Clock::now();
        QTest::keyClick(word, Qt::Key(key));
        while (paints.count == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        const double letter = std::chrono::duration<double>(paints.last - start).count();
        QTest::qWait(kPauseMs);
        const double list = listPaints.count == listBefore
            ? 0.0
            : std::chrono::duration<double>(listPaints.last - start).count();
        return {letter, list};
    }

    QTemporaryDir cache;
    Trainer trainer{cache.filePath(QStringLiteral("plimopref.ini"))};
    QtDialogs dialogs{cache.path()};
    std::unique_ptr<speech::Speaker> speaker;
    std::unique_ptr<MeaningFinder> finder;
    QWidget window;
    RegistrationPanel* panel = nullptr;
    QLineEdit* word = nullptr;
    assist::SuggestionPopup* popup = nullptr;
    Paints paints;
    ListPaints listPaints;
};

// "apple" typed and taken back, one key an iteration, timed to its letter
// drawn (when the paint began: the drawing itself is the same either way).
void typeWords(benchmark::State& state, bool suggestions)
{
    Form form(suggestions);
    if (suggestions && form.finder->state() != MeaningFinder::State::Ready) {
        state.SkipWithError("the edict package is not installed");
        return;
    }
    static const int keys[] = {Qt::Key_A,         Qt::Key_P,         Qt::Key_P,         Qt::Key_L,
                               Qt::Key_E,         Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace,
                               Qt::Key_Backspace, Qt::Key_Backspace};
    size_t i = 0;
    double lists = 0;
    int drawn = 0;
    for (auto _ : state) {
        const auto [letter, list] = form.type(keys[i++ % std::size(keys)]);
        state.SetIterationTime(letter);
        if (list > 0) {
            lists += list;
            ++drawn;
        }
    }
    if (suggestions)
        state.counters["list_ms"] = drawn ? 1000 * lists / drawn : 0.0;
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

BENCHMARK(Typing)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(100);
BENCHMARK(TypingFloor)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(100);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ui::installFontFallback();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
