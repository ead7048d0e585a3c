#pragma once

#include <QString>
#include <vector>

class OrderList;
class Random;
class WordBook;

enum class ExamKind { Normal, TimeAttack, Complete };

// One row of a test's results.
struct ResultRow {
    QString mark; // ○ or ×
    QString mean;
    QString word;
    QString answer; // as typed
};

// The timed spelling test: ten, twenty or thirty meanings asked in a
// shuffled order, each answer counted for its word, ending after that many
// answers or when the time is up. The order lives in the order list as
// record numbers (from 1). The session keeps what the test panels show.
class ExamSession {
public:
    enum class Phase { Idle, Running, Finished };
    static constexpr int kTimeLimit = 300; // seconds

    // Starts a test of `length` questions; false (and nothing changes) when
    // the word file holds fewer records. A normal test draws a new order;
    // the other two kinds ask the last normal test's order again while it
    // still fits the records, and draw one otherwise.
    bool start(ExamKind kind, int length, const WordBook& book, OrderList& order, Random& rng);
    // Counts a typed answer for the question shown and moves on, or ends the
    // test after its last answer. An empty answer records nothing.
    enum class Answered { Nothing, Counted, Ended };
    Answered answer(WordBook& book, const OrderList& order, const QString& typed);
    // One second of the countdown; true when it ended the test. The
    // complete run never runs out.
    bool tick(const WordBook& book, const OrderList& order);
    // Leaving the tab during a test: it ends without results.
    void abandon();
    // Back to the start panel.
    void toStart();

    Phase phase() const { return phase_; }
    bool running() const { return phase_ == Phase::Running; }
    ExamKind kind() const { return kind_; }
    int length() const { return length_; }
    int questionNo() const { return questionNo_; }
    int score() const { return score_; }
    int timeLeft() const { return timeLeft_; }
    // The record asked now (index from 0).
    int record() const { return record_; }
    QString questionCaption() const; // 第n問
    QString countdown() const; // あとN秒, or あと∞秒 for the complete run
    const QString& prompt() const { return prompt_; }
    const QString& lastAnswered() const { return lastAnswered_; } // meaning:word of the last answer
    const QString& answerOf(int questionNo) const;

    // The results of the test that ended last.
    const QString& title() const { return title_; }
    const QString& subtitle() const { return subtitle_; }
    QString scoreText() const; // 正解数　7/ 10
    const std::vector<ResultRow>& results() const { return results_; }

private:
    void ask(const WordBook& book, const OrderList& order);
    // Ends the test with its results: after its last answer, or when its
    // time is up.
    void finish(const WordBook& book, const OrderList& order, bool timeUp);
    bool orderStillFits(int length, const WordBook& book, const OrderList& order) const;

    Phase phase_ = Phase::Idle;
    ExamKind kind_ = ExamKind::Normal;
    int length_ = 10;
    int questionNo_ = 0;
    int score_ = 0;
    int timeLeft_ = kTimeLimit;
    int record_ = -1;
    QString prompt_;
    QString lastAnswered_;
    // Typed answers by question number: [0] is question 1.
    std::vector<QString> answers_;
    // The order the last normal test drew, to tell it still stands in the list.
    std::vector<int> lastOrder_;

    QString title_;
    QString subtitle_;
    std::vector<ResultRow> results_;
};
