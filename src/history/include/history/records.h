#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <vector>

// What the history keeps: one row per counted answer and one per finished
// test. Times are UTC seconds since 1970.
namespace history {

// Where an answer was given.
// QuizDictation: a spelling typed from the word heard (聞き取り問題).
enum class Place {
    QuizSpelling = 0,
    QuizExample = 1,
    NormalTest = 2,
    TimeAttack = 3,
    CompleteRun = 4,
    QuizDictation = 5
};
enum class TestKind { Normal = 0, TimeAttack = 1, CompleteRun = 2 };

// One answer the word file counted.
struct Answer {
    qint64 time = 0;
    QByteArray word; // field 1 of the record, its CP932 bytes
    Place place = Place::QuizSpelling;
    bool right = false;
    bool hint = false; // the hint was shown before the answer
    int seconds = -1; // from the question shown to Enter; -1 when not known
};

// An answer read back, for its word.
struct Review {
    qint64 time = 0;
    Place place = Place::QuizSpelling;
    bool right = false;
    bool hint = false;
    int seconds = -1;

    bool operator==(const Review&) const = default;
};

// The reviews of one word of a word file since it was last registered,
// oldest first.
struct WordReviews {
    QByteArray word;
    std::vector<Review> reviews;
};

// When an answer was given and whether it was right: what the counts per
// day need.
struct AnswerMark {
    qint64 time = 0;
    bool right = false;
};

struct TestResult {
    qint64 time = 0;
    TestKind kind = TestKind::Normal;
    int length = 10; // questions: 10, 20 or 30
    int score = 0; // right answers

    bool operator==(const TestResult&) const = default;
};

} // namespace history
