#pragma once

#include <QHash>
#include <QObject>
#include <QSocketNotifier>
#include <QStringList>

#include <functional>

// Takes a benchmark's steps one at a time from standard input, so that the
// program watching the screen decides when each happens. A step is one line,
// a name and its arguments separated by blanks. Each is answered on standard
// output with "begin NS" just before it runs and "end NS" once it has
// returned, in nanoseconds of CLOCK_MONOTONIC, the clock the watcher's time
// stamps come from; a step that cannot be taken answers "error TEXT".
class StepDriver : public QObject {
public:
    // A step's work; a non-empty return is the error it answers with.
    using Step = std::function<QString(const QStringList& args)>;

    StepDriver();

    // `timed` steps are bracketed by begin and end; the others, which only
    // prepare one, answer "end" alone.
    void add(const QString& name, Step step, bool timed = true);

private:
    void readInput();
    void run(const QString& line);

    struct Entry {
        Step step;
        bool timed;
    };
    QSocketNotifier input_;
    QByteArray pending_;
    QHash<QString, Entry> steps_;
};

// Closes every message box the way a learner does once it is on the screen:
// after its first paint, Enter on its default button.
void closeMessageBoxesOnceDrawn();
