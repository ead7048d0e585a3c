#include "core/trainer.h"

#include "core/conflict.h"
#include "store/failure.h"

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

} // namespace

Trainer::Trainer(QString prefsFile) : prefsFile_(std::move(prefsFile))
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
    if (!result.message.isEmpty())
        tell(result.message);
    // A refusal for the form's own text keeps what was typed, so the learner
    // can mend it; a failed save raises before this and keeps it too.
    outcome.clearForm = result.clearsForm();
    return outcome;
}

Outcome Trainer::nextQuestion()
{
    return transact([&](State& s, Outcome& o) {
        s.quiz.next(s.book, s.order, options_, s.rng);
        o.quiz = o.newQuestion = true;
    });
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
    const QuizSession::Verdict verdict = state_.quiz.judge(state_.book, typed);
    if (verdict == QuizSession::Verdict::Empty)
        return {};
    // The verdict is told before the answer is counted and saved.
    tell(verdict == QuizSession::Verdict::Right ? QStringLiteral("正解っす") : QStringLiteral("残念！"));
    if (!backUp(false))
        return {};
    return transact([&](State& s, Outcome& o) {
        const QuizSession::Verdict counted = s.quiz.answer(s.book, s.order, options_, s.rng, typed);
        if (counted != QuizSession::Verdict::Empty) {
            s.book.save();
            o.words = true;
        }
        o.quiz = true;
        o.newQuestion = counted == QuizSession::Verdict::Right;
    });
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
    if (started)
        heldTicks_ = 0;
    else
        tell(QStringLiteral("登録単語数が現在のモードでは足りません。"));
    return outcome;
}

Outcome Trainer::answerExam(const QString& typed)
{
    if (busy_ || (!typed.isEmpty() && !backUp(false)))
        return {};
    return transact([&](State& s, Outcome& o) {
        const ExamSession::Answered answered = s.exam.answer(s.book, s.order, typed);
        if (answered != ExamSession::Answered::Nothing) {
            s.book.save();
            o.words = o.answerTaken = true;
        }
        o.exam = true;
        o.results = answered == ExamSession::Answered::Ended;
    });
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
    return transact([&](State& s, Outcome& o) {
        o.exam = true;
        for (int i = 0; i < seconds && !o.results; ++i)
            o.results = s.exam.tick(s.book, s.order);
    });
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
