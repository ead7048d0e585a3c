#pragma once

// What the options tab chooses, as the quiz and the test read it. The
// options panel keeps this value in step with its radio buttons, which it
// first checks from these defaults: スペル問題, 全部, ランダム, 10問.
// Dictation (聞き取り問題) asks the spelling of a word the learner hears.
enum class QuestionKind { Spelling, Example, Dictation };
// Due: the words the review schedule says are due now (復習が必要な問題).
enum class QuizFilter { All, NeverAnswered, LowAccuracy, Due };
enum class QuizOrder { InTurn, Random };

struct Options {
    QuestionKind kind = QuestionKind::Spelling;
    QuizFilter filter = QuizFilter::All;
    QuizOrder order = QuizOrder::Random;
    int testLength = 10; // 10, 20 or 30 questions

    bool operator==(const Options&) const = default;
};
