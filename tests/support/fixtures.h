#pragma once

#include "core/trainer.h"
#include "support/panels.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/widgets.h"
#include "window/main_window.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <gtest/gtest.h>
#include <memory>

class QWidget;

// Speech and meanings a test controls: an engine that is not there (a
// speak control, once used, is disabled with the reason), the sample
// dictionary the dictionary tests ship, its cache in the test's folder.
AssistSettings testAssist(const TempFolder& folder);

// A started program: temp folder, state, scripted dialogs, main window.
class AppFixture : public ::testing::Test {
protected:
    // Every answer scripted was used, every error box looked at.
    void TearDown() override { dialogs.verifyUsedUp(); }

    // Writes `words\default.txt` with the given bytes and a preferences file
    // naming it, then starts the program.
    void startWith(const QByteArray& wordFileBytes);
    // Starts with whatever the folder holds.
    void start();

    QByteArray wordFile() const { return folder.read(QStringLiteral("words/default.txt")); }
    // Clicks the tab as a user would.
    void clickTab(int index);
    // A control of the window by its design name; fails the test when the
    // window has none (a tab not built yet: choose it first, or ask the
    // window for it).
    template <typename W> W* find(const char* name) const { return named<W>(window.get(), name); }
    // Visible to the user: the widget and all its parents shown.
    static bool visible(const QWidget* w);

    TempFolder folder;
    Trainer trainer{folder.prefsFile()};
    ScriptedDialogs dialogs;
    // Set before start() for another speaker or dictionary.
    AssistSettings assist = testAssist(folder);
    std::unique_ptr<MainWindow> window;
};
