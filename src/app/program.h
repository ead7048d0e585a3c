#pragma once

#include <functional>

class QApplication;
class QWidget;

// Runs Lexiwren in the given application until its window is closed: the
// per-user folders, the single running copy, the main window. `shown`, when
// given, runs once the window has been shown (the start-up benchmark uses
// it to quit after the first paint).
int runProgram(QApplication& app, const std::function<void(QWidget& window)>& shown = {});
