#pragma once

#include "store/line_store.h"
#include "store/order_list.h"
#include "store/random.h"

#include <QByteArray>
#include <QString>
#include <array>

// Everything the panels share for the whole run: the word store, the order
// list, the current and default word file, the small state cells and the
// test's globals. Panels hold it by reference.
//
// The state cells are text, read back with the integer conversion where a
// number is meant, so a cell that holds no number fails the way a damaged
// record does.
struct AppState {
    // Absolute path of the preferences file.
    QString prefsFile;

    LineStore Memo1; // the word store, mirror of the current word file
    OrderList theList; // quiz pool or test order
    QString path; // current word file, as stored (may hold backslashes)
    QString Edit1; // default word file, as read from the preferences

    QByteArray benri1; // quiz: next position in turn; test: the length N
    QByteArray benri2; // test kind: "Normal", "Time", "All" or "error!"
    QByteArray ansnum; // right answers in the current test
    QByteArray question; // record index of the current quiz question
    bool testing = false;
    // True while theList holds the order of the last normal test (record
    // numbers from 1); the quiz pool (indices from 0) clears it.
    bool theListHoldsTestOrder = false;

    Random rng;

    // The test's globals.
    int QuestionNo = 0;
    int TimeLeft = 0;
    std::array<QByteArray, 1001> Answers; // 1..1000 used

    // Saves the whole store to the current word file.
    void save() const;
};
