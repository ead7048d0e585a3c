// Renders every tab of the main window offscreen into PNG files:
//   render_tabs OUTPUT_FOLDER [WORD_FILE]
// The program starts in a temporary folder with a first-start preferences
// file, loads WORD_FILE (or a few sample words) and a sample history of two
// months of answers to the sample words, and selects each tab in turn.
#include "core/trainer.h"
#include "history/history.h"
#include "store/codec.h"
#include "support/scripted_dialogs.h"
#include "ui/controls.h"
#include "window/main_window.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTabBar>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

namespace {

QByteArray sampleWords()
{
    const char* lines[] = {
        "apple,りんご,I ate an apple.,私はりんごを食べた。,0,5,3",
        "run,走る,He runs fast.,彼は速く走る。,1,4,4",
        "beautiful,美しい,,,2,0,0",
        "quickly,素早く,She answered quickly.,彼女は素早く答えた。,3,2,1",
        "look after,世話をする,,,4,3,0",
    };
    QByteArray bytes;
    for (const char* line : lines)
        bytes += cp932::encode(QString::fromUtf8(line)) + "\r\n";
    return bytes;
}

// Two months of a learner's answers to the sample words, a few tests among
// them, ending an hour ago.
bool writeSampleHistory(const QString& file)
{
    const QByteArray words[] = {"apple", "run", "beautiful", "quickly", "look after"};
    const qint64 day = 24 * 60 * 60;
    const qint64 end = QDateTime::currentSecsSinceEpoch() - 60 * 60;
    const QString key = QStringLiteral("words/default.txt");
    std::mt19937 rng(21);
    history::History h(file);
    history::Change change = h.change();
    for (int d = 60; d >= 0; --d) {
        if (rng() % 4 == 0)
            continue;
        const int answers = 5 + int(rng() % 25);
        for (int i = 0; i < answers; ++i) {
            const bool right = int(rng() % 100) < 55 + (60 - d) / 2;
            change.answer(
                key,
                {end - d * day + i * 30, words[rng() % 5], history::Place::QuizSpelling, right, false, 4});
        }
        if (d % 9 == 0) {
            const int length = d % 2 == 0 ? 10 : 20;
            change.testResult(key,
                              {end - d * day, history::TestKind::Normal, length,
                               length * (50 + (60 - d) / 2 + int(rng() % 20)) / 100});
        }
        if (d % 14 == 3)
            change.testResult(key, {end - d * day, history::TestKind::TimeAttack, 10, 4 + (60 - d) / 12});
    }
    return change.commit();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::installFontFallback();
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_tabs OUTPUT_FOLDER [WORD_FILE]\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    QByteArray words = sampleWords();
    if (argc > 2) {
        QFile f(QString::fromLocal8Bit(argv[2]));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
            return 1;
        }
        words = f.readAll();
    }

    QTemporaryDir temp;
    QDir::setCurrent(temp.path());
    QDir().mkpath(QStringLiteral("words"));
    QDir().mkpath(QStringLiteral("config"));
    {
        QFile f(QStringLiteral("words/default.txt"));
        if (!f.open(QIODevice::WriteOnly) || f.write(words) != words.size())
            return 1;
        QFile p(QStringLiteral("config/plimopref.ini"));
        if (!p.open(QIODevice::WriteOnly) || p.write("[wordfile]\r\ndefwordfile=words\\default.txt\r\n") < 0)
            return 1;
    }

    if (!writeSampleHistory(QDir(temp.path()).filePath(QString::fromLatin1(history::kFileName))))
        return 1;
    Trainer trainer(QDir(temp.path()).filePath(QStringLiteral("config/plimopref.ini")));
    trainer.setDataFolder(temp.path(), true);
    ScriptedDialogs dialogs;
    MainWindow window(trainer, dialogs);
    window.FormCreate();
    window.show();
    const char* names[] = {"0-registration", "1-quiz",  "2-test",    "3-list",
                           "4-options",      "5-about", "6-progress"};
    for (int tab = 0; tab < 7; ++tab) {
        window.findChild<QTabBar*>(QStringLiteral("TabBar"))->setCurrentIndex(tab);
        QApplication::processEvents();
        const QString file = QDir(out).filePath(QString::fromLatin1(names[tab]) + QStringLiteral(".png"));
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
    }
    return 0;
}
