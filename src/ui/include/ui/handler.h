#pragma once

#include <QString>
#include <functional>
#include <optional>

class Dialogs;

// Runs one event handler. A failure ends the handler where it happened and
// is shown in an error box as its text plus "."; the program goes on.
void runHandler(Dialogs& dialogs, const std::function<void()>& handler);

// Shows a failure as runHandler does, for one that did not end the handler
// (a step of the start, say).
void showFailure(Dialogs& dialogs, const QString& text);

// Runs an action that answers what it did, as runHandler runs a handler:
// its answer, or nothing when it failed (and the failure was shown).
template <typename Action>
auto attempt(Dialogs& dialogs, Action&& action) -> std::optional<decltype(action())>
{
    std::optional<decltype(action())> result;
    runHandler(dialogs, [&] { result.emplace(action()); });
    return result;
}
