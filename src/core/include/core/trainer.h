#pragma once

#include "core/exam_session.h"
#include "core/options.h"
#include "core/quiz_session.h"
#include "core/word_book.h"
#include "store/order_list.h"
#include "store/random.h"

#include <QString>
#include <cstdint>

// Everything a learner can act on: the current word file, the order list
// the quiz and the test share, the quiz and the test sessions, and the
// options. Views read it and call it, and redraw from it after every call.
//
// Every action is one transaction: it happens whole (the store changed, the
// word file saved, the session moved on) or, when any step fails, not at
// all. A failure is raised to the caller after everything was put back as
// it was, so memory, the file and what the views draw from them agree.
class Trainer {
public:
    explicit Trainer(QString prefsFile);

    const WordBook& book() const { return state_.book; }
    const OrderList& order() const { return state_.order; }
    const QuizSession& quiz() const { return state_.quiz; }
    const ExamSession& exam() const { return state_.exam; }
    const Random& rng() const { return state_.rng; }
    // A plain value: the options panel writes it as the learner chooses.
    Options options;

    // The preferences file and the default word file named in it.
    const QString& prefsFile() const { return prefsFile_; }
    const QString& defaultWordFile() const { return defaultWordFile_; }
    bool preferencesExist() const;
    // Writes the preferences file with the default word file.
    void createPreferences();
    void readDefaultWordFile();
    // Stores a new default word file; the current one stays.
    void setDefaultWordFile(const QString& path);
    // Makes the default word file current: created (with its folder) when
    // missing, then loaded.
    void openDefaultWordFile();

    // Reseeds the random numbers from the clock (every tab switch).
    void reseed();
    // For tests and benchmarks: a known sequence of random numbers.
    void seed(uint32_t value);

    // The learner's actions.
    RegistrationResult registerWord(const NewWord& typed);
    // The message refusing the text, or empty once the field was changed.
    QString changeField(int record, int field, const QString& text);
    void deleteRecord(int record);
    // 初期化: false when there was no record, and nothing was written.
    bool resetCounts();
    // 読み込む: the file becomes the current word file.
    void openWordFile(const QString& path);
    // 書き出す: the words are written to `path`; the current file stays.
    void writeWordFile(const QString& path) const;

    bool startQuiz();
    void nextQuestion();
    void showHint();
    QuizSession::Verdict answerQuiz(const QString& typed);

    bool startExam(ExamKind kind);
    void answerExam(const QString& typed);
    void tick();
    void abandonExam();
    void examToStart();

private:
    // All a transaction may change and must put back on failure. Copying it
    // copies shared byte arrays, not their contents.
    struct State {
        WordBook book;
        OrderList order;
        Random rng;
        QuizSession quiz;
        ExamSession exam;
    };

    template <typename Action> auto transact(Action&& action);

    QString prefsFile_;
    QString defaultWordFile_;
    State state_;
};
