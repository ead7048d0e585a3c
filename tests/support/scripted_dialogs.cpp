#include "support/scripted_dialogs.h"

#include <atomic>
#include <exception>
#include <thread>

void ScriptedDialogs::message(const QString& text)
{
    shown.push_back({Kind::Message, text});
    if (whileOpen)
        whileOpen(shown.back());
}

bool ScriptedDialogs::confirm(const QString& text)
{
    shown.push_back({Kind::Confirm, text});
    if (whileOpen)
        whileOpen(shown.back());
    if (confirmAnswers.empty())
        return true;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::error(const QString& text)
{
    shown.push_back({Kind::Error, text});
    if (whileOpen)
        whileOpen(shown.back());
}

std::optional<QString> ScriptedDialogs::openFileName(const QString& title)
{
    shown.push_back({Kind::Open, title});
    return nextFileAnswer();
}

std::optional<QString> ScriptedDialogs::saveFileName(const QString& title)
{
    shown.push_back({Kind::Save, title});
    return nextFileAnswer();
}

std::optional<QString> ScriptedDialogs::nextFileAnswer()
{
    if (fileAnswers.empty())
        return std::nullopt;
    const bool chosen = fileAnswers.front().has_value();
    const QString name = chosen ? *fileAnswers.front() : QString();
    fileAnswers.pop_front();
    if (!chosen)
        return std::nullopt;
    return name;
}

bool ScriptedDialogs::execModal(QDialog& dialog)
{
    shown.push_back({Kind::Modal, QString()});
    if (modalAnswers.empty())
        return false;
    auto answer = modalAnswers.front();
    modalAnswers.pop_front();
    return answer(dialog);
}

std::vector<QString> ScriptedDialogs::texts(Kind kind) const
{
    std::vector<QString> out;
    for (const Shown& s : shown)
        if (s.kind == kind)
            out.push_back(s.text);
    return out;
}

std::optional<Dialogs::FileChoice> ScriptedDialogs::chooseFile(const QString& title, const QStringList&,
                                                               bool save)
{
    shown.push_back({save ? Kind::Save : Kind::Open, title});
    const std::optional<QString> path = nextFileAnswer();
    int filter = 0;
    if (!filterAnswers.empty()) {
        filter = filterAnswers.front();
        filterAnswers.pop_front();
    }
    if (!path)
        return std::nullopt;
    return FileChoice{*path, filter};
}

bool ScriptedDialogs::confirmList(const QString& text, const QStringList& items)
{
    lastList = items;
    return confirm(text);
}

bool ScriptedDialogs::runInBackground(const QString& label, const Job& job)
{
    shown.push_back({Kind::Progress, label});
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
