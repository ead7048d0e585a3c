#include "step_driver.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

void answer(const char* what, long long ns)
{
    std::printf("%s %lld\n", what, ns);
    std::fflush(stdout);
}

class BoxCloser : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto* box = qobject_cast<QMessageBox*>(static_cast<QWidget*>(watched)->window());
        if (!box || box->property(kClosing).toBool())
            return false;
        box->setProperty(kClosing, true);
        // The paint ends with the window's pixels sent to the display; the
        // key follows once the event loop is back.
        QTimer::singleShot(0, box, [box = QPointer<QMessageBox>(box)] {
            if (box)
                QTest::keyClick(box, Qt::Key_Return);
        });
        return false;
    }

private:
    static constexpr const char* kClosing = "benchClosing";
};

} // namespace

StepDriver::StepDriver() : input_(STDIN_FILENO, QSocketNotifier::Read)
{
    connect(&input_, &QSocketNotifier::activated, this, &StepDriver::readInput);
}

void StepDriver::add(const QString& name, Step step, bool timed)
{
    steps_.insert(name, Entry{std::move(step), timed});
}

void StepDriver::readInput()
{
    char buffer[4096];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
        // The watcher is gone: nothing more will be asked.
        input_.setEnabled(false);
        QApplication::quit();
        return;
    }
    pending_.append(buffer, got);
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(pending_.left(end));
        pending_.remove(0, end + 1);
        run(line);
    }
}

void StepDriver::run(const QString& line)
{
    QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const auto found = words.isEmpty() ? steps_.cend() : steps_.constFind(words.takeFirst());
    if (found == steps_.cend()) {
        std::printf("error no such step: %s\n", qPrintable(line));
        std::fflush(stdout);
        return;
    }
    if (found->timed)
        answer("begin", monotonicNs());
    const QString failure = found->step(words);
    if (!failure.isEmpty()) {
        std::printf("error %s\n", qPrintable(failure));
        std::fflush(stdout);
        return;
    }
    answer("end", monotonicNs());
}

void closeMessageBoxesOnceDrawn()
{
    static BoxCloser closer;
    qApp->installEventFilter(&closer);
}
