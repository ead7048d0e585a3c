#pragma once

#include <optional>

// The tabs of the window, in their order.
enum class Tab { Registration, Quiz, Test, List, Options, About, Progress };

// What one action of the learner changed, for the views to draw: each view
// redraws what the flags name from the trainer's state, and nothing else.
// A view never compares the state before and after an action to find out.
// An action that fails raises its Failure instead, having changed nothing.
struct Outcome {
    // The tab to show and prepare: the one chosen, the one a preparation
    // fell back to, or the test's own tab kept when the learner stays in a
    // running test. Unset: the tab shown stays.
    std::optional<Tab> tab;

    bool words = false; // the store's records (the list, the counts)
    bool reloaded = false; // the word file was read again in place of the action
    bool currentFile = false; // another word file is current
    bool defaultFile = false; // the default word file was read or set
    bool list = false; // the rows of the word list

    bool quiz = false; // the quiz's question, texts or answering state
    bool newQuestion = false; // a question was asked: its answer field starts empty

    bool exam = false; // the test's phase, question or countdown
    bool answerTaken = false; // a test answer was counted, or a test began: its field starts empty
    bool results = false; // a test ended: its results are to be shown
    bool progress = false; // the progress view is drawn anew from the history

    bool clearForm = false; // the registration form is emptied
    bool handOver = false; // the start found the default word file open in another Lexiwren

    // Adds what `later` changed to this; the later tab wins.
    Outcome& operator+=(const Outcome& later);
};
