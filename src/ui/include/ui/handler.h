#pragma once

#include <functional>

class Dialogs;

// Runs one event handler. A failure ends the handler where it happened and
// is shown in an error box as its text plus "."; the program goes on.
void runHandler(Dialogs& dialogs, const std::function<void()>& handler);
