// The real program, driven as a learner would drive it: runProgram with a
// hook that, once the window is shown, registers a word on the first tab,
// answers every box with OK and prints its text, then ends the program.
//
//   program_driver <word> <meaning>
//       prints "box: <text>" for every box, then "done" and ends with the
//       program's status.

#include "app/program.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>

namespace {

void say(const QString& line)
{
    std::puts(line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const QString word = QString::fromUtf8(argv[1]);
    const QString meaning = QString::fromUtf8(argv[2]);
    int programArgc = 1;
    char* programArgv[] = {argv[0], nullptr};
    return runProgram(programArgc, programArgv, [&](QWidget& window) {
        auto* boxes = new QTimer(&window);
        QObject::connect(boxes, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                box && box->isVisible()) {
                say(QStringLiteral("box: ") + box->text());
                box->button(QMessageBox::Ok)->click();
            }
        });
        boxes->start(20);
        QTimer::singleShot(0, &window, [&window, word, meaning] {
            window.findChild<QLineEdit*>(QStringLiteral("word"))->setText(word);
            window.findChild<QLineEdit*>(QStringLiteral("mean"))->setText(meaning);
            window.findChild<QWidget*>(QStringLiteral("parts"))->findChild<QRadioButton*>()->click();
            window.findChild<QPushButton*>(QStringLiteral("register"))->click();
            say(QStringLiteral("done"));
            QApplication::quit();
        });
    });
}
