#include "store/app_state.h"
#include "store/preferences.h"
#include "ui/controls.h"
#include "ui/qt_dialogs.h"
#include "window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lexiwren"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lexiwren"));
    QApplication::setDesktopFileName(QStringLiteral("lexiwren"));

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
    QDir().mkpath(dataDir);
    QDir::setCurrent(dataDir);

    AppState state;
    state.prefsFile = QDir(configDir).filePath(QString::fromLatin1(prefs::kFileName));
    QtDialogs dialogs(dataDir);
    MainWindow window(state, dialogs);
    window.show();
    return app.exec();
}
