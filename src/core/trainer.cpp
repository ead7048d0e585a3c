#include "core/trainer.h"

#include "core/word_rules.h"
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
    for (;;) {
        State before = state_;
        try {
            return action(state_);
        } catch (const ExternalChange&) {
            state_ = std::move(before);
            if (!questions_)
                throw;
            if (!questions_->overwrite(state_.book.path))
                reloadChangedFile();
            // The learner has seen the other program's change and keeps
            // ours: the action runs again and saves over it.
            state_.book.stamp = stampOf(state_.book.path);
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

ImportOutcome Trainer::importWords(const ImportPlan& plan)
{
    // The plan was made against a copy of the words; between the preview
    // and OK the learner or another program may have changed them.
    if (std::optional<ImportPlan> changed = recheckImport(plan, state_.book.store))
        return {0, std::move(changed), {}};
    const int added = int(plan.words.size());
    if (added == 0)
        return {};
    backUp(true);
    transact([&](State& s) {
        // Where registrations go: behind the last record every view sees.
        word_rules::insertNew(s.book.store, plan.records());
        s.book.save();
    });
    return {added, std::nullopt, QStringLiteral("%1 語を登録しました。").arg(added)};
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
