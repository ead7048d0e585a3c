#include "support/scripted_questions.h"

#include <gtest/gtest.h>

namespace {

template <typename Answer>
Answer next(std::deque<Answer>& answers, const char* what, const QString& asked, Answer unscripted)
{
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted " << what << ": " << asked.toStdString();
        return unscripted;
    }
    Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

void ScriptedQuestions::open(Kind kind, const QString& text)
{
    asked.push_back({kind, text});
    if (whileOpen)
        whileOpen(asked.back());
}

void ScriptedQuestions::tell(const QString& text)
{
    open(Kind::Told, text);
}

void ScriptedQuestions::report(const QString& failure)
{
    open(Kind::Reported, failure);
}

bool ScriptedQuestions::confirm(const QString& text)
{
    open(Kind::Confirm, text);
    return next(confirms, "question", text, false);
}

bool ScriptedQuestions::confirmList(const QString& text, const QStringList& items)
{
    open(Kind::ConfirmList, text);
    lastList = items;
    return next(confirms, "question", text, false);
}

bool ScriptedQuestions::inBackground(const QString& text, const std::function<void(const Report&)>& work)
{
    open(Kind::Background, text);
    bool cancelled = false;
    try {
        work([&](qint64, qint64) {
            cancelled = cancelled || cancelBackground;
            return !cancelled;
        });
    } catch (...) {
        // What a cancelled job raises as it stops is no failure.
        if (!cancelled)
            throw;
    }
    return !cancelled;
}

std::optional<QString> ScriptedQuestions::chooseWordFile(const QString& title, bool)
{
    open(Kind::WordFile, title);
    return next<std::optional<QString>>(wordFiles, "word file dialog", title, std::nullopt);
}

std::optional<TrainerQuestions::FileChoice> ScriptedQuestions::chooseFile(const QString& title,
                                                                          const QStringList& filters, bool)
{
    open(Kind::File, title);
    std::optional<FileChoice> choice =
        next<std::optional<FileChoice>>(files, "file dialog", title, std::nullopt);
    if (choice && (choice->filter < 0 || choice->filter >= filters.size()))
        ADD_FAILURE() << "no filter " << choice->filter << " in " << filters.join(u'|').toStdString();
    return choice;
}

std::optional<QString> ScriptedQuestions::newText(const FieldEdit& edit)
{
    edits.push_back(edit);
    open(Kind::NewText, edit.old);
    return next<std::optional<QString>>(newTexts, "change dialog", edit.old, std::nullopt);
}

std::vector<QString> ScriptedQuestions::texts(Kind kind) const
{
    std::vector<QString> out;
    for (const Asked& a : asked) {
        if (a.kind == kind)
            out.push_back(a.text);
    }
    return out;
}

void ScriptedQuestions::verifyUsedUp() const
{
    EXPECT_TRUE(confirms.empty()) << confirms.size() << " answers to questions never asked";
    EXPECT_TRUE(wordFiles.empty()) << wordFiles.size() << " word files never asked for";
    EXPECT_TRUE(files.empty()) << files.size() << " files never asked for";
    EXPECT_TRUE(newTexts.empty()) << newTexts.size() << " new texts never asked for";
}
