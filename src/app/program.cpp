#include "app/program.h"

#include "app/app_icon.h"
#include "app/command_line.h"
#include "app/file_channel.h"
#include "app/font_preload.h"
#include "app/hand_over.h"
#include "app/instance_channel.h"
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

#include <csignal>
#include <cstdio>
#include <malloc.h>

int runProgram(int& argc, char** argv, const std::function<void(QWidget& window)>& shown)
{
    // Under a file-size limit (ulimit -f) a write past it would end the
    // program on the spot, the word just typed with it. Ignored, the write
    // fails like any other: the save or the backup is refused with its
    // message and the old file stays whole.
    std::signal(SIGXFSZ, SIG_IGN);

    // Answered before anything starts, so it works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const std::optional<QString> answer = commandLineAnswer(arguments, japaneseMessages())) {
        std::fputs(answer->toUtf8().constData(), stdout);
        return 0;
    }

    // The font configuration read on the second thread below stays for the
    // whole run. Allocated in an arena of that thread's own, it would keep a
    // second heap alive beside the main one; one arena serves a program that
    // runs a second thread only for a moment at start.
    mallopt(M_ARENA_MAX, 1);
    // Blocks of 64 KiB and more (images, font tables, the file read in) get
    // pages of their own, given back when freed. Left to itself the
    // allocator raises that limit the first time such a block is freed,
    // and whether that happens before or after the next ones are asked for
    // depends on the two threads' timing: a start would then keep half a
    // megabyte more in its heap one time in three.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024);
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

    // Relative word file names resolve in the data folder. When it cannot
    // be made or entered, the trainer opens no such file, so nothing is
    // written wherever the program happened to be started from.
    const bool dataUsable = QDir().mkpath(dataDir) && QDir::setCurrent(dataDir);
    // The window hands every size of its icon to the window system when it
    // is made. Reading the PNGs now costs the start nothing: the font
    // configuration is still being read on the other thread.
    for (const QSize& size : icon.availableSizes())
        icon.pixmap(size);
    fonts.finish();

    Trainer trainer(QDir(configDir).filePath(QString::fromLatin1(prefs::kFileName)));
    trainer.setDataFolder(dataDir, dataUsable);
    QtDialogs dialogs(dataDir);

    // The copy that holds a word file answers later starts on that file.
    QPointer<QWidget> mainWindow;
    const FileChannel channel(trainer, dialogs, [&mainWindow] { bringForward(mainWindow); });

    MainWindow window(trainer, dialogs);
    if (window.FormCreate().handOver) {
        // Another Lexiwren has the word file: this start hands over to it.
        handOverStart(trainer.defaultWordFile().file(), trainer.defaultWordFile().shown(), dialogs);
        return 0;
    }
    mainWindow = &window;
    window.show();
    if (shown)
        shown(window);
    return app.exec();
}
