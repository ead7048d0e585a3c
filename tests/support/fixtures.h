#pragma once

#include "store/app_state.h"
#include "support/scripted_dialogs.h"
#include "window/main_window.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class QWidget;

// Real files in a temporary folder, which is also the working directory
// (the program's data folder); the preferences file lives in its "config"
// subfolder.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    QString path(const QString& relative) const;
    QString prefsFile() const;
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    // Writes a preferences file naming `wordFile` as the default.
    void writePrefs(const QByteArray& wordFile) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// CP932 bytes written in a test as UTF-8 text.
QByteArray sjis(const char* utf8);

// A started program: temp folder, state, scripted dialogs, main window.
class AppFixture : public ::testing::Test {
protected:
    // Writes `words\default.txt` with the given bytes and a preferences file
    // naming it, then starts the program.
    void startWith(const QByteArray& wordFileBytes);
    // Starts with whatever the folder holds.
    void start();

    QByteArray wordFile() const { return folder.read(QStringLiteral("words/default.txt")); }
    // Clicks the tab as a user would.
    void clickTab(int index);
    template <typename W> W* find(const char* name) const
    {
        return window->findChild<W*>(QString::fromLatin1(name));
    }
    // Visible to the user: the widget and all its parents shown.
    static bool visible(const QWidget* w);

    TempFolder folder;
    AppState state;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};
