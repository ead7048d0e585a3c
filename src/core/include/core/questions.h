#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What only the learner can see to or decide in the middle of an action.
// The trainer puts its own words to the learner through this, at the
// moment its rules say; the window shows them in its message boxes and
// dialogs, and tests script the answers.
class TrainerQuestions {
public:
    virtual ~TrainerQuestions() = default;

    // A plain message with one OK button.
    virtual void tell(const QString& text) = 0;
    // A failure of one step of an action that goes on without it (a step
    // of the start, the preparation of a tab), shown as an error.
    virtual void report(const QString& failure) = 0;
    // A question for OK or キャンセル: true only for OK.
    virtual bool confirm(const QString& text) = 0;

    // A word file picked in the open or save dialog titled `title`, which
    // offers text files; nothing when cancelled. The file need not exist.
    virtual std::optional<QString> chooseWordFile(const QString& title, bool save) = 0;
    // A file picked in a dialog offering `filters`, with the index of the
    // filter it was picked under; nothing when cancelled.
    struct FileChoice {
        QString path;
        int filter = 0;
    };
    virtual std::optional<FileChoice> chooseFile(const QString& title, const QStringList& filters,
                                                 bool save) = 0;
    // A question for OK or キャンセル with a list under its text the learner
    // can scroll through, for lists too long for a message box.
    virtual bool confirmList(const QString& text, const QStringList& items) = 0;
    // Runs `work` away from the GUI thread while the learner sees `text`
    // and can cancel; `work` reports how far it got and stops when the
    // report answers false. False when the learner cancelled; what `work`
    // raised is raised here.
    using Report = std::function<bool(qint64 done, qint64 total)>;
    virtual bool inBackground(const QString& text, const std::function<void(const Report&)>& work) = 0;

    // A field of the word list to be changed: its old text, whether the new
    // one is typed in Japanese, and which field it is. `word` is the
    // record's English word, so that meanings can be offered for it while
    // its meaning is changed.
    struct FieldEdit {
        enum class Field { Word, Meaning, Other };
        QString old;
        bool japanese = false;
        Field field = Field::Other;
        QString word;
    };
    // The new text for that field, typed in the data change dialog under
    // the old one; nothing when the dialog was closed any way but OK.
    virtual std::optional<QString> newText(const FieldEdit& edit) = 0;
};
