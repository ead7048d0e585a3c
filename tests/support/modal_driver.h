#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

// Plays the learner's part in the real modal dialogs: while a test runs an
// action that opens them, it looks at the active modal window every few
// milliseconds and acts on it, one step per window, as a learner would:
// with keys and clicks.
class ModalDriver : public QObject {
public:
    // A step acts on a modal window of its kind and answers true once it is
    // done with it; false to look again (the window is still building). A
    // window of another kind fails the test and is closed, so a test never
    // waits on a dialog nobody answers.
    struct Step {
        const char* kind; // the class of window it acts on
        std::function<bool(QWidget* modal)> act;
    };

    ModalDriver();

    void then(Step step) { steps_.push_back(std::move(step)); }
    // Every step has run.
    bool done() const { return steps_.empty(); }

    // In a file dialog (Qt's own, not the platform's): chooses the filter
    // whose text starts with `filter` (when given) with the arrow keys of
    // its list, types `name` into the file name field and presses Enter.
    static Step pickFile(const QString& name, const QString& filter = {});
    // In a file dialog: presses Escape.
    static Step cancelFile();
    // In a message box: keeps its text in `text` and presses the button
    // whose caption is `button` ("OK", "キャンセル").
    static Step answerBox(QString* text, const QString& button = QStringLiteral("OK"));

private:
    void look();

    QTimer timer_;
    std::deque<Step> steps_;
    // The window last acted on, until it is gone: another window may be
    // made where it stood.
    QPointer<QWidget> acted_;
};
