#include "app/program.h"

#include "app/single_instance.h"
#include "store/app_state.h"
#include "store/preferences.h"
#include "ui/controls.h"
#include "ui/qt_dialogs.h"
#include "window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

int runProgram(QApplication& app, const std::function<void(QWidget& window)>& shown)
{
    QApplication::setApplicationName(QStringLiteral("lexiwren"));
    // The installed menu entry is io.github.lexiwren.Lexiwren.desktop; naming it
    // here lets desktops group the window with that entry and show its icon.
    QApplication::setDesktopFileName(QStringLiteral("io.github.lexiwren.Lexiwren"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/lexiwren-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    // Qt's own buttons and dialogs speak Japanese like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    ui::installFontFallback();

    // Word files named by relative paths ("words\default.txt") live in the
    // per-user data folder; the preferences file in the configuration folder.
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);

    // A second copy says so and ends before it touches any file.
    SingleInstance instance(configDir);
    if (QtDialogs firstDialogs(dataDir); !instance.claim(firstDialogs))
        return 0;

    QDir().mkpath(dataDir);
    QDir::setCurrent(dataDir);

    AppState state;
    state.prefsFile = QDir(configDir).filePath(QString::fromLatin1(prefs::kFileName));
    QtDialogs dialogs(dataDir);
    MainWindow window(state, dialogs);
    window.show();
    if (shown)
        shown(window);
    return app.exec();
}
