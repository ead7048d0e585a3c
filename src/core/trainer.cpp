#include "core/trainer.h"

#include "core/conflict.h"
#include "store/failure.h"

#include "store/record.h"

#include <QDateTime>
#include <utility>

namespace {

// Set while an action runs, and let go however it ends.
class Running {
public:
    explicit Running(bool& busy) : busy_(busy) { busy_ = true; }
    ~Running() { busy_ = false; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    bool& busy_;
};

// Saves the word file with the history rows `record` writes (none without a
// history): the rows are committed only once the file holds the answer, and
// rolled back when the save raises. True when the history kept them.
bool saveWithHistory(history::History* h, WordBook& book, const std::function<void(history::Change*)>& record)
{
    std::optional<history::Change> change;
    if (h)
        change.emplace(h->change());
    record(change ? &*change : nullptr);
    book.save();
    return change && change->commit();
}

} // namespace

Trainer::Trainer(QString prefsFile)
    : prefsFile_(std::move(prefsFile)), clock_([] { return QDateTime::currentSecsSinceEpoch(); })
{
}

void Trainer::tell(const QString& text) const
{
    if (questions_)
        questions_->tell(text);
}

void Trainer::report(const QString& failure) const
{
    if (questions_)
        questions_->report(failure);
}

bool Trainer::confirm(const QString& text) const
{
    return questions_ && questions_->confirm(text);
}

void Trainer::seed(uint32_t value)
{
    state_.rng.setSeed(value);
}

Outcome Trainer::transact(const Action& action)
{
    // An action started from the modal loop of another's question would
    // change the state the first one puts back when it fails.
    if (busy_)
        return {};
    {
        const Running running(busy_);
        for (;;) {
            State before = state_;
            Outcome outcome;
            try {
                action(state_, outcome);
                state_.book.overwrite.reset();
                return outcome;
            } catch (const ExternalChange& change) {
                state_ = std::move(before);
                if (!questions_)
                    throw;
                if (!questions_->confirm(
                        QStringLiteral(
                            "単語ファイル %1 は、Lexiwren "
                            "が読み込んだ後にほかのプログラムで変更されています。\n\n"
                            "OK: Lexiwren の内容で上書きします。\n"
                            "キャンセル: 変更された内容を読み込み直します（今の操作は行いません）。")
                            .arg(change.path())))
                    break;
                // The learner has seen the other program's change and keeps
                // ours: the action runs again and saves over it, this once.
                state_.book.overwrite = stampOf(state_.book.path.file());
            } catch (...) {
                state_ = std::move(before);
                state_.book.overwrite.reset();
                throw;
            }
        }
        state_.book.overwrite.reset();
    }
    // The learner chose the other program's version: loaded once the action
    // has ended, so the tab shown can be prepared anew.
    return reloadChangedFile();
}

Outcome Trainer::registerWord(const NewWord& typed)
{
    if (busy_ || !backUp(false))
        return {};
    RegistrationResult result{RegistrationResult::Registered, {}};
    Outcome outcome = transact([&](State& s, Outcome& o) {
        result = s.book.registerWord(typed);
        if (result.kind == RegistrationResult::Registered) {
            s.book.save();
            o.words = true;
        }
    });
    if (outcome.reloaded)
        return outcome;
    if (outcome.words)
        dropSchedule();
    if (!result.message.isEmpty())
        tell(result.message);
    // A refusal for the form's own text keeps what was typed, so the learner
    // can mend it; a failed save raises before this and keeps it too.
    outcome.clearForm = result.clearsForm();
    return outcome;
}

Outcome Trainer::nextQuestion()
{
    Outcome outcome = transact([&](State& s, Outcome& o) {
        s.quiz.next(s.book, s.order, options_, s.rng);
        o.quiz = o.newQuestion = true;
    });
    if (outcome.newQuestion)
        askedAt_ = now();
    return outcome;
}

Outcome Trainer::showHint()
{
    return transact([&](State& s, Outcome& o) {
        s.quiz.hint(s.book);
        o.quiz = true;
    });
}

Outcome Trainer::answerQuiz(const QString& typed)
{
    if (busy_ || !state_.quiz.answering())
        return {};
    // The answer is timed at Enter, before the verdict waits for the learner.
    const qint64 answeredAt = now();
    const QuizSession::Verdict verdict = state_.quiz.judge(state_.book, typed);
    if (verdict == QuizSession::Verdict::Empty)
        return {};
    // The verdict is told before the answer is counted and saved.
    tell(verdict == QuizSession::Verdict::Right ? QStringLiteral("正解っす") : QStringLiteral("残念！"));
    if (!backUp(false))
        return {};
    std::optional<Answered> counted;
    Outcome outcome = transact([&](State& s, Outcome& o) {
        counted.reset();
        Answered answered;
        answered.word = ReadField(s.book.store, s.quiz.question(), kWord);
        answered.place = s.quiz.kind() == QuestionKind::Example ? history::Place::QuizExample
            : s.quiz.kind() == QuestionKind::Dictation          ? history::Place::QuizDictation
                                                                : history::Place::QuizSpelling;
        answered.hint = !s.quiz.hintText().isEmpty();
        answered.time = answeredAt;
        const QuizSession::Verdict judged = s.quiz.answer(s.book, s.order, options_, s.rng, typed);
        if (judged != QuizSession::Verdict::Empty) {
            answered.right = judged == QuizSession::Verdict::Right;
            // Rolled back unless the word file holds the answer too.
            if (saveWithHistory(history(), s.book,
                                [&](history::Change* change) { recordAnswer(change, answered); }))
                counted = answered;
            o.words = true;
        }
        o.quiz = true;
        o.newQuestion = judged == QuizSession::Verdict::Right;
    });
    // The schedule follows what the history holds: an answer it could not
    // keep is not in it either, and the next build would not find it.
    if (counted)
        scheduleAnswer(*counted);
    if (outcome.newQuestion)
        askedAt_ = now();
    tellHistoryNotice();
    return outcome;
}

Outcome Trainer::startExam(ExamKind kind)
{
    if (busy_)
        return {};
    bool started = false;
    Outcome outcome = transact([&](State& s, Outcome& o) {
        started = s.exam.start(kind, options_.testLength, s.book, s.order, s.rng);
        // Nothing typed in an earlier test carries over into this one.
        o.exam = o.answerTaken = started;
    });
    if (started) {
        heldTicks_ = 0;
        askedAt_ = now();
    } else
        tell(QStringLiteral("登録単語数が現在のモードでは足りません。"));
    return outcome;
}

namespace {

history::Place placeOf(ExamKind kind)
{
    switch (kind) {
    case ExamKind::TimeAttack: return history::Place::TimeAttack;
    case ExamKind::Complete: return history::Place::CompleteRun;
    case ExamKind::Normal: break;
    }
    return history::Place::NormalTest;
}

history::TestResult resultOf(const ExamSession& exam, qint64 time)
{
    history::TestResult result;
    result.time = time;
    result.kind = exam.kind() == ExamKind::TimeAttack ? history::TestKind::TimeAttack
        : exam.kind() == ExamKind::Complete           ? history::TestKind::CompleteRun
                                                      : history::TestKind::Normal;
    result.length = exam.length();
    result.score = exam.score();
    return result;
}

} // namespace

Outcome Trainer::answerExam(const QString& typed)
{
    if (busy_ || (!typed.isEmpty() && !backUp(false)))
        return {};
    const qint64 answeredAt = now();
    std::optional<Answered> counted;
    Outcome outcome = transact([&](State& s, Outcome& o) {
        counted.reset();
        Answered answered;
        const bool running = s.exam.running();
        if (running) {
            answered.word = ReadField(s.book.store, s.exam.record(), kWord);
            answered.place = placeOf(s.exam.kind());
        }
        answered.time = answeredAt;
        const int scoreBefore = s.exam.score();
        const ExamSession::Answered result = s.exam.answer(s.book, s.order, typed);
        if (result != ExamSession::Answered::Nothing) {
            answered.right = s.exam.score() > scoreBefore;
            if (saveWithHistory(history(), s.book, [&](history::Change* change) {
                    recordAnswer(change, answered);
                    if (change && result == ExamSession::Answered::Ended)
                        change->testResult(historyKey(), resultOf(s.exam, answeredAt));
                }))
                counted = answered;
            o.words = o.answerTaken = true;
        }
        o.exam = true;
        o.results = result == ExamSession::Answered::Ended;
    });
    if (counted)
        scheduleAnswer(*counted);
    if (outcome.answerTaken)
        askedAt_ = now();
    tellHistoryNotice();
    return outcome;
}

Outcome Trainer::tick()
{
    // A tick in the modal loop of another action's question is counted when
    // the next one comes, so the countdown loses no second.
    if (busy_) {
        ++heldTicks_;
        return {};
    }
    const int seconds = 1 + std::exchange(heldTicks_, 0);
    Outcome outcome = transact([&](State& s, Outcome& o) {
        o.exam = true;
        for (int i = 0; i < seconds && !o.results; ++i)
            o.results = s.exam.tick(s.book, s.order);
    });
    // A test whose time ran out is finished too: its score is kept. The
    // word file holds every answer of it already.
    if (outcome.results) {
        if (history::History* h = history()) {
            history::Change change = h->change();
            change.testResult(historyKey(), resultOf(state_.exam, now()));
            change.commit();
        }
        tellHistoryNotice();
    }
    return outcome;
}

Outcome Trainer::examToStart()
{
    if (busy_)
        return {};
    state_.exam.toStart();
    Outcome outcome;
    outcome.exam = true;
    return outcome;
}
