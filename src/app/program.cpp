#include "app/program.h"

#include "app/app_icon.h"
#include "app/font_preload.h"
#include "app/single_instance.h"
#include "store/app_state.h"
#include "store/preferences.h"
#include "ui/qt_dialogs.h"
#include "window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

int runProgram(int& argc, char** argv, const std::function<void(QWidget& window)>& shown)
{
    FontPreload fonts;
    QApplication app(argc, argv);
    fonts.applicationReady();

    QApplication::setApplicationName(QStringLiteral("lexiwren"));
    // The installed menu entry is io.github.lexiwren.Lexiwren.desktop; naming it
    // here lets desktops group the window with that entry and show its icon.
    QApplication::setDesktopFileName(QStringLiteral("io.github.lexiwren.Lexiwren"));
    const QIcon icon = appIcon();
    QApplication::setWindowIcon(icon);

    // Qt's own buttons and dialogs speak Japanese like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // Word files named by relative paths ("words\default.txt") live in the
    // per-user data folder; the preferences file in the configuration folder.
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);

    // A second copy says so and ends before it touches any file.
    SingleInstance instance(configDir);
    const bool claimed = [&] {
        QtDialogs firstDialogs(dataDir);
        return instance.claim(firstDialogs);
    }();
    // The window hands every size of its icon to the window system when it
    // is made. Reading the PNGs now costs the start nothing: the font
    // configuration is still being read on the other thread.
    for (const QSize& size : icon.availableSizes())
        icon.pixmap(size);
    fonts.finish();
    if (!claimed)
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
