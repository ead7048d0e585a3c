// The real program's start, quitting as soon as its window has been painted
// for the first time: the start-up figure beside bare_window.
#include "app/program.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class QuitAfterPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QuitAfterPaint quitter;
    return runProgram(argc, argv, [&](QWidget& window) { window.installEventFilter(&quitter); });
}
