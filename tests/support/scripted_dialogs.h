#pragma once

#include "ui/dialogs.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QDialog;

// Plays the user's part in every message box and dialog. Tests queue the
// answers; every box shown is logged in order.
//
// A test scripts everything the learner decides: a question, a file dialog
// or a modal dialog nobody scripted fails it (and is answered no, or
// cancelled), and so do answers left over at its end (verifyUsedUp). A
// file is picked only as the real dialog allows: under one of the filters
// offered and, to open, one that is there. Plain messages are logged for
// the test to check; an error box fails the test unless the test looked
// at the errors shown (errors(), texts(Kind::Error)) before it cleared the
// log or ended.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Message, Confirm, Error, Open, Save, Modal, Progress };
    struct Shown {
        Kind kind;
        QString text;
    };

    ~ScriptedDialogs() override;

    // Answers, taken in order.
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::function<bool(QDialog&)>> modalAnswers;
    // The filter each chosen file of chooseFile is chosen under (0 when
    // unscripted); the file names come from fileAnswers.
    std::deque<int> filterAnswers;
    // The list of the last confirmList, and the filters of the last file
    // dialog.
    QStringList lastList;
    QStringList offeredFilters;
    // Runs while a plain, error or confirmation box is "open" (for timer
    // ticks that arrive during a message, say).
    std::function<void(const Shown&)> whileOpen;

    // Background jobs run on a thread of their own, as with the real
    // dialog. From this report on (counting from 1), the learner has
    // cancelled; unset, the job runs to its end.
    std::optional<int> cancelAtReport;
    // How many reports the jobs made.
    int reports = 0;
    // When set, runs the jobs instead (the real progress dialog, say).
    std::function<bool(const QString& label, const Job& job)> background;

    std::vector<Shown> shown;

    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    void error(const QString& text) override;
    std::optional<QString> openFileName(const QString& title) override;
    std::optional<QString> saveFileName(const QString& title) override;
    bool execModal(QDialog& dialog) override;
    std::optional<FileChoice> chooseFile(const QString& title, const QStringList& filters,
                                         bool save) override;
    bool confirmList(const QString& text, const QStringList& items) override;
    bool runInBackground(const QString& label, const Job& job) override;

    // Texts of the boxes of one kind, in order.
    std::vector<QString> texts(Kind kind) const;
    std::vector<QString> messages() const { return texts(Kind::Message); }
    std::vector<QString> errors() const { return texts(Kind::Error); }
    std::vector<QString> confirmations() const { return texts(Kind::Confirm); }
    // Empties the log; an error in it the test never looked at fails it.
    void clear();
    // At a test's end: fails it for every answer left over and every error
    // box it never looked at.
    void verifyUsedUp() const;

private:
    void open(Kind kind, const QString& text);
    size_t errorCount() const;
    void expectNoUnseenErrors() const;

    mutable size_t errorsLookedAt_ = 0;
};
