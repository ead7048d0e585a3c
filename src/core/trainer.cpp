#include "core/trainer.h"

#include "store/codec.h"
#include "store/limits.h"
#include "store/preferences.h"
#include "store/word_file.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

Trainer::Trainer(QString prefsFile) : prefsFile_(std::move(prefsFile))
{
}

template <typename Action> auto Trainer::transact(Action&& action)
{
    // The learner's leave to save over another program's change holds for
    // this action only.
    struct EndOfAction {
        std::optional<FileStamp>& overwrite;
        ~EndOfAction() { overwrite.reset(); }
    } end{state_.book.overwrite};
    for (;;) {
        State before = state_;
        try {
            return action(state_);
        } catch (const ExternalChange&) {
            state_ = std::move(before);
            if (!questions_)
                throw;
            if (!questions_->overwrite(state_.book.path.shown()))
                reloadChangedFile();
            // The learner has seen the other program's change and keeps
            // ours: the action runs again and saves over it.
            state_.book.overwrite = stampOf(state_.book.path.file());
        } catch (...) {
            state_ = std::move(before);
            throw;
        }
    }
}

void Trainer::reseed()
{
    state_.rng.Randomize();
}

void Trainer::seed(uint32_t value)
{
    state_.rng.setSeed(value);
}

RegistrationResult Trainer::registerWord(const NewWord& typed)
{
    backUp(false);
    return transact([&](State& s) {
        const RegistrationResult result = s.book.registerWord(typed);
        if (result.kind == RegistrationResult::Registered)
            s.book.save();
        return result;
    });
}

QString Trainer::changeField(int record, int field, const QString& text)
{
    backUp(false);
    return transact([&](State& s) {
        const QString refusal = s.book.changeField(record, field, text);
        if (refusal.isEmpty())
            s.book.save();
        return refusal;
    });
}

void Trainer::deleteRecord(int record)
{
    backUp(true);
    transact([&](State& s) {
        s.book.deleteRecord(record);
        s.book.save();
    });
}

bool Trainer::resetCounts()
{
    backUp(true);
    return transact([&](State& s) {
        // Nothing to reset writes nothing: a word file deleted from outside
        // is not made again by a reset of no words.
        if (!s.book.resetCounts())
            return false;
        s.book.save();
        return true;
    });
}

void Trainer::importWords(const interchange::ImportPlan& plan)
{
    if (plan.records.empty())
        return;
    backUp(true);
    transact([&](State& s) {
        // Like registrations: behind the last record every view sees.
        const int seen = s.book.visibleRecords(kMaxRecords);
        int at = seen;
        for (const QByteArray& record : plan.records)
            s.book.store.InsertLine(at++, record);
        s.book.save();
    });
}

bool Trainer::startQuiz()
{
    return transact([&](State& s) { return s.quiz.start(s.book, s.order, options, s.rng); });
}

void Trainer::nextQuestion()
{
    transact([&](State& s) { s.quiz.next(s.book, s.order, options, s.rng); });
}

void Trainer::showHint()
{
    transact([&](State& s) { s.quiz.hint(s.book); });
}

QuizSession::Verdict Trainer::answerQuiz(const QString& typed)
{
    if (!typed.isEmpty())
        backUp(false);
    return transact([&](State& s) {
        const QuizSession::Verdict verdict = s.quiz.answer(s.book, s.order, options, s.rng, typed);
        if (verdict != QuizSession::Verdict::Empty)
            s.book.save();
        return verdict;
    });
}

bool Trainer::startExam(ExamKind kind)
{
    return transact([&](State& s) { return s.exam.start(kind, options.testLength, s.book, s.order, s.rng); });
}

void Trainer::answerExam(const QString& typed)
{
    if (!typed.isEmpty())
        backUp(false);
    transact([&](State& s) {
        const int before = s.exam.questionNo();
        s.exam.answer(s.book, s.order, typed);
        if (s.exam.questionNo() != before)
            s.book.save();
    });
}

void Trainer::tick()
{
    transact([&](State& s) { s.exam.tick(s.book, s.order); });
}

void Trainer::abandonExam()
{
    state_.exam.abandon();
}

void Trainer::examToStart()
{
    state_.exam.toStart();
}
