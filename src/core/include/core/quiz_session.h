#pragma once

#include "core/options.h"

#include <QString>
#include <vector>

class OrderList;
class Random;
class WordBook;

// The open-ended practice quiz. Its pool is the order list: the record
// indices (from 0) of the records the options admit, in store order. The
// session keeps what the quiz panel shows, so the panel only draws it.
class QuizSession {
public:
    enum class Verdict { Empty, Right, Wrong };

    // Builds the pool from the options and asks the first question; false
    // when no record qualifies. A damaged counter the filter converts
    // raises the conversion Failure. Under QuizFilter::Due the records
    // come from `due`, in its order (the most overdue first), and only the
    // question kind is checked.
    bool start(const WordBook& book, OrderList& pool, const Options& options, Random& rng,
               const std::vector<int>& due = {});
    // The next question, in turn or at random. An empty pool raises the
    // conversion Failure of the empty slot.
    void next(const WordBook& book, const OrderList& pool, const Options& options, Random& rng);
    // No pool and no question, as before the quiz tab was first chosen.
    void reset();
    // Shows the first whole character of the word.
    void hint(const WordBook& book);
    // How the typed answer would be judged; changes nothing.
    Verdict judge(const WordBook& book, const QString& typed) const;
    // Counts the answer: a right one also moves on to the next question; a
    // wrong one shows the word and waits for "次の問題".
    Verdict answer(WordBook& book, const OrderList& pool, const Options& options, Random& rng,
                   const QString& typed);

    bool asked() const { return question_ >= 0; }
    int question() const { return question_; } // record index, -1 before the first question
    QuestionKind kind() const { return kind_; } // of the question shown
    bool answering() const { return answering_; }
    const QString& heading() const { return heading_; }
    const QString& position() const { return position_; } // 出題No  3/25, empty at random
    const QString& prompt() const { return prompt_; }
    const QString& hintText() const { return hint_; }
    const QString& correction() const { return correction_; } // 正解：word after a wrong answer

    // What can be read aloud. A dictation question is its word, spoken as
    // it is shown; another kind's word and example sentence would give the
    // answer away, so they can be heard once the answer was judged: the
    // question judged wrong that is still shown, else the one answered last.
    const QString& spokenOnShow() const { return spokenOnShow_; }
    const QString& wordToHear() const { return wordToHear_; }
    const QString& exampleToHear() const { return exampleToHear_; }
    // The prompt when nothing can be heard: a dictation question then asks
    // the word of its meaning, like a spelling question, so it can still be
    // answered. Any other kind's prompt is the same either way.
    const QString& silentPrompt() const { return silentPrompt_; }

private:
    int recordOfQuestion() const;
    // The word and example of the question shown become what can be heard.
    void hearQuestion(const WordBook& book, bool withExample);

    int nextInTurn_ = 0; // pool position of the next question in turn
    int question_ = -1;
    QuestionKind kind_ = QuestionKind::Spelling; // of the question shown
    bool answering_ = true;
    QString heading_;
    QString position_;
    QString prompt_;
    QString hint_;
    QString correction_;
    QString spokenOnShow_;
    QString wordToHear_;
    QString exampleToHear_;
    QString silentPrompt_;
};
