#include "core/trainer.h"

#include "store/codec.h"
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
    State before = state_;
    try {
        return action(state_);
    } catch (...) {
        state_ = std::move(before);
        throw;
    }
}

bool Trainer::preferencesExist() const
{
    return QFileInfo::exists(prefsFile_);
}

void Trainer::createPreferences()
{
    prefs::writeString(prefsFile_, prefs::kSection, prefs::kKey, prefs::kDefaultWordFile);
}

void Trainer::readDefaultWordFile()
{
    defaultWordFile_ =
        cp932::decode(prefs::readString(prefsFile_, prefs::kSection, prefs::kKey, prefs::kDefaultWordFile));
}

void Trainer::setDefaultWordFile(const QString& path)
{
    // Only a name that was stored is shown as the default.
    prefs::writeString(prefsFile_, prefs::kSection, prefs::kKey, cp932::encode(path));
    defaultWordFile_ = path;
}

void Trainer::openDefaultWordFile()
{
    const QString file = fileNameFor(defaultWordFile_);
    LineStore loaded;
    if (QFileInfo::exists(file)) {
        LoadLines(loaded, defaultWordFile_);
    } else {
        // The folder of the default file ("words") is made as well, so a
        // first start ends with a current word file to save to. The new file
        // holds the empty store, so there is nothing to read back.
        QDir().mkpath(QFileInfo(file).absolutePath());
        SaveLines(loaded, defaultWordFile_);
    }
    state_.book.store = std::move(loaded);
    state_.book.path = defaultWordFile_;
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
    return transact([&](State& s) {
        const RegistrationResult result = s.book.registerWord(typed);
        if (result.kind == RegistrationResult::Registered)
            s.book.save();
        return result;
    });
}

QString Trainer::changeField(int record, int field, const QString& text)
{
    return transact([&](State& s) {
        const QString refusal = s.book.changeField(record, field, text);
        if (refusal.isEmpty())
            s.book.save();
        return refusal;
    });
}

void Trainer::deleteRecord(int record)
{
    transact([&](State& s) {
        s.book.deleteRecord(record);
        s.book.save();
    });
}

bool Trainer::resetCounts()
{
    return transact([&](State& s) {
        // Nothing to reset writes nothing: a word file deleted from outside
        // is not made again by a reset of no words.
        if (!s.book.resetCounts())
            return false;
        s.book.save();
        return true;
    });
}

void Trainer::openWordFile(const QString& path)
{
    // A file that exists but cannot be loaded leaves the current words and
    // word file as they were: switching to it would overwrite it with an
    // almost empty store on the next change. A name that does not exist yet
    // starts a new, empty word file there.
    LineStore loaded;
    if (QFileInfo::exists(fileNameFor(path)))
        LoadLines(loaded, path);
    state_.book.store = std::move(loaded);
    state_.book.path = path;
}

void Trainer::writeWordFile(const QString& path) const
{
    SaveLines(state_.book.store, path);
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
