#pragma once

#include <functional>

class QWidget;

// Runs Lexiwren until its window is closed: the application object, the
// per-user folders, the single running copy, the main window. `shown`, when
// given, runs once the window has been shown (the start-up benchmark uses
// it to quit after the first paint).
int runProgram(int& argc, char** argv, const std::function<void(QWidget& window)>& shown = {});
