#include "app/program.h"

#include "app/app_icon.h"
#include "app/command_line.h"
#include "app/font_preload.h"
#include "app/instance_channel.h"
#include "app/single_instance.h"
#include "core/trainer.h"
#include "store/preferences.h"
#include "ui/qt_dialogs.h"
#include "window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdio>

int runProgram(int& argc, char** argv, const std::function<void(QWidget& window)>& shown)
{
    // Answered before anything starts, so it works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const std::optional<QString> answer = commandLineAnswer(arguments, japaneseMessages())) {
        std::fputs(answer->toUtf8().constData(), stdout);
        return 0;
    }

    FontPreload fonts;
    QApplication app(argc, argv);
    fonts.applicationReady();

    QApplication::setApplicationName(QStringLiteral("lexiwren"));
    // The installed menu entry is io.github.lexiwren.Lexiwren.desktop; naming it
    // here lets desktops group the window with that entry and show its icon.
    QApplication::setDesktopFileName(QStringLiteral("io.github.lexiwren.Lexiwren"));
    QApplication::setWindowIcon(appIcon());

    // Qt's own buttons and dialogs speak Japanese like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // Word files named by relative paths ("words\default.txt") live in the
    // per-user data folder; the preferences file in the configuration folder.
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);

    // A second copy hands over to the running one, whose window comes to the
    // front, and ends before it touches any file. Only when the running copy
    // does not answer does it say that Lexiwren is running. The channel is
    // named after the lock as the file system sees it, so that every path
    // to the lock gives the same name.
    SingleInstance instance(configDir);
    const auto channelKey = [&] { return QFileInfo(instance.lockFile()).canonicalFilePath(); };
    const bool claimed = [&] {
        QtDialogs firstDialogs(dataDir);
        return instance.claim(firstDialogs, [&] { return InstanceChannel::knock(channelKey()); });
    }();
    fonts.finish();
    if (!claimed)
        return 0;

    // Open from here on, so that a later start is answered even while the
    // first start's message is shown, before there is a window.
    QPointer<QWidget> mainWindow;
    InstanceChannel channel(channelKey());
    QObject::connect(&channel, &InstanceChannel::comeForward, [&mainWindow] { bringForward(mainWindow); });
    if (instance.holdsLock())
        channel.listen();

    QDir().mkpath(dataDir);
    QDir::setCurrent(dataDir);

    Trainer trainer(QDir(configDir).filePath(QString::fromLatin1(prefs::kFileName)));
    QtDialogs dialogs(dataDir);
    MainWindow window(trainer, dialogs);
    mainWindow = &window;
    window.show();
    if (shown)
        shown(window);
    return app.exec();
}
