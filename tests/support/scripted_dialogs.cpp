#include "support/scripted_dialogs.h"

#include <QFileInfo>
#include <atomic>
#include <exception>
#include <gtest/gtest.h>
#include <thread>

namespace {

template <typename Answer>
Answer next(std::deque<Answer>& answers, const char* what, const QString& text, Answer unscripted)
{
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted " << what << ": " << text.toStdString();
        return unscripted;
    }
    Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

ScriptedDialogs::~ScriptedDialogs() = default;

void ScriptedDialogs::open(Kind kind, const QString& text)
{
    shown.push_back({kind, text});
    if (whileOpen)
        whileOpen(shown.back());
}

void ScriptedDialogs::message(const QString& text)
{
    open(Kind::Message, text);
}

bool ScriptedDialogs::confirm(const QString& text)
{
    open(Kind::Confirm, text);
    return next(confirmAnswers, "question", text, false);
}

void ScriptedDialogs::error(const QString& text)
{
    open(Kind::Error, text);
}

std::optional<QString> ScriptedDialogs::openFileName(const QString& title)
{
    offeredFilters = {QStringLiteral("テキストファイル (*.txt)")};
    open(Kind::Open, title);
    return next<std::optional<QString>>(fileAnswers, "file dialog", title, std::nullopt);
}

std::optional<QString> ScriptedDialogs::saveFileName(const QString& title)
{
    offeredFilters = {QStringLiteral("テキストファイル (*.txt)")};
    open(Kind::Save, title);
    return next<std::optional<QString>>(fileAnswers, "file dialog", title, std::nullopt);
}

bool ScriptedDialogs::execModal(QDialog& dialog)
{
    open(Kind::Modal, QString());
    auto answer = next<std::function<bool(QDialog&)>>(modalAnswers, "dialog", QString(), {});
    return answer && answer(dialog);
}

std::optional<Dialogs::FileChoice> ScriptedDialogs::chooseFile(const QString& title,
                                                               const QStringList& filters, bool save)
{
    offeredFilters = filters;
    open(save ? Kind::Save : Kind::Open, title);
    const std::optional<QString> path =
        next<std::optional<QString>>(fileAnswers, "file dialog", title, std::nullopt);
    const int filter = filterAnswers.empty() ? 0 : filterAnswers.front();
    if (!filterAnswers.empty())
        filterAnswers.pop_front();
    if (!path)
        return std::nullopt;
    // What the real dialog lets the learner pick: one of its filters, and
    // for opening a file that is there.
    if (filter < 0 || filter >= filters.size())
        ADD_FAILURE() << "no filter " << filter << " among " << filters.join(u'|').toStdString();
    if (!save && !QFileInfo::exists(*path))
        ADD_FAILURE() << "an open dialog picks only a file that is there: " << path->toStdString();
    return FileChoice{*path, filter};
}

bool ScriptedDialogs::confirmList(const QString& text, const QStringList& items)
{
    lastList = items;
    return confirm(text);
}

std::vector<QString> ScriptedDialogs::texts(Kind kind) const
{
    if (kind == Kind::Error)
        errorsLookedAt_ = errorCount();
    std::vector<QString> out;
    for (const Shown& s : shown) {
        if (s.kind == kind)
            out.push_back(s.text);
    }
    return out;
}

size_t ScriptedDialogs::errorCount() const
{
    size_t count = 0;
    for (const Shown& s : shown)
        count += s.kind == Kind::Error;
    return count;
}

void ScriptedDialogs::clear()
{
    expectNoUnseenErrors();
    shown.clear();
    errorsLookedAt_ = 0;
}

void ScriptedDialogs::expectNoUnseenErrors() const
{
    size_t error = 0;
    for (const Shown& s : shown) {
        if (s.kind == Kind::Error && ++error > errorsLookedAt_)
            ADD_FAILURE() << "an error box the test never looked at: " << s.text.left(200).toStdString();
    }
    errorsLookedAt_ = error;
}

void ScriptedDialogs::verifyUsedUp() const
{
    expectNoUnseenErrors();
    EXPECT_TRUE(confirmAnswers.empty()) << confirmAnswers.size() << " answers to questions never asked";
    EXPECT_TRUE(fileAnswers.empty()) << fileAnswers.size() << " files never asked for";
    EXPECT_TRUE(modalAnswers.empty()) << modalAnswers.size() << " dialogs never shown";
    EXPECT_TRUE(filterAnswers.empty()) << filterAnswers.size() << " filters never asked for";
}

bool ScriptedDialogs::runInBackground(const QString& label, const Job& job)
{
    open(Kind::Progress, label);
    if (background)
        return background(label, job);
    std::atomic<int> made{0};
    std::atomic<bool> cancelled{false};
    std::exception_ptr failure;
    const Report report = [&](qint64, qint64) {
        if (const int n = ++made; cancelAtReport && n >= *cancelAtReport)
            cancelled = true;
        return !cancelled.load();
    };
    std::thread worker([&] {
        try {
            job(report);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    worker.join();
    reports += made;
    if (cancelled)
        return false;
    if (failure)
        std::rethrow_exception(failure);
    return true;
}
