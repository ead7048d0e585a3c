#pragma once

#include "core/questions.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Plays the learner's part for a trainer without a window. Every message,
// failure and question is logged in order; questions take their answers
// from the queues. A question nobody scripted, and an answer left over at
// the end (see verifyUsedUp), fail the test: a test says what the learner
// answers to everything it is asked.
class ScriptedQuestions : public TrainerQuestions {
public:
    enum class Kind { Told, Reported, Confirm, ConfirmList, Background, WordFile, File, NewText };
    struct Asked {
        Kind kind;
        QString text;
    };

    // Answers to confirm() and to confirmList() alike, in the order asked.
    std::deque<bool> confirms;
    // Background work runs on this thread at once; with this set it is
    // cancelled at its first report.
    bool cancelBackground = false;
    // The list of the last confirmList.
    QStringList lastList;
    std::deque<std::optional<QString>> wordFiles;
    std::deque<std::optional<FileChoice>> files;
    std::deque<std::optional<QString>> newTexts;
    // What each change dialog was opened for.
    std::vector<FieldEdit> edits;

    std::vector<Asked> asked;
    // Runs while each message or question is "open", as a modal loop would
    // run timers and other events.
    std::function<void(const Asked&)> whileOpen;

    void tell(const QString& text) override;
    void report(const QString& failure) override;
    bool confirm(const QString& text) override;
    std::optional<QString> chooseWordFile(const QString& title, bool save) override;
    std::optional<FileChoice> chooseFile(const QString& title, const QStringList& filters,
                                         bool save) override;
    bool confirmList(const QString& text, const QStringList& items) override;
    bool inBackground(const QString& text, const std::function<void(const Report&)>& work) override;
    std::optional<QString> newText(const FieldEdit& edit) override;

    // The texts of one kind, in order.
    std::vector<QString> texts(Kind kind) const;
    std::vector<QString> told() const { return texts(Kind::Told); }
    std::vector<QString> reported() const { return texts(Kind::Reported); }
    std::vector<QString> confirmations() const { return texts(Kind::Confirm); }
    void clear() { asked.clear(); }
    // Fails the test for every answer no question took.
    void verifyUsedUp() const;

private:
    void open(Kind kind, const QString& text);
};
