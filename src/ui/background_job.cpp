// Long work off the GUI thread, with a progress dialog that can cancel it.

#include "ui/controls.h"
#include "ui/plain_text.h"
#include "ui/qt_dialogs.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>

namespace {

// A job this quick ends before anything is shown: a dialog flashing for a
// few milliseconds would only startle.
constexpr int kShowAfterMs = 300;
// How often the GUI thread looks at the job while it waits.
constexpr int kPollMs = 20;
constexpr int kSteps = 1000;

class CentredProgress : public QProgressDialog {
public:
    using QProgressDialog::QProgressDialog;

protected:
    void showEvent(QShowEvent* event) override
    {
        QProgressDialog::showEvent(event);
        ui::centreOnScreen(*this);
    }
};

} // namespace

bool QtDialogs::runInBackground(const QString& label, const Job& job)
{
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> cancelled{false};
    std::atomic<bool> ended{false};
    std::exception_ptr failure;
    const Report report = [&](qint64 d, qint64 t) {
        done = d;
        total = t;
        return !cancelled.load();
    };

    CentredProgress dialog;
    dialog.setWindowTitle(programName());
    // The label names a file: its name is text, never markup.
    dialog.setLabel(ui::plainLabel(label, &dialog));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    dialog.setAccessibleName(label);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setRange(0, kSteps);
    dialog.setValue(0);
    // The dialog shows itself once this long has passed.
    dialog.setMinimumDuration(kShowAfterMs);

    QEventLoop loop;
    QTimer poll;
    bool polling = false; // setValue on a shown modal dialog runs the event loop
    bool filtering = true;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (std::exchange(polling, true))
            return;
        if (ended) {
            loop.quit();
        } else if (dialog.isVisible() && !cancelled) {
            if (filtering)
                loop.quit(); // the dialog is up: from now on it takes input
            const qint64 t = total;
            if (t > 0)
                dialog.setValue(int(std::clamp<qint64>(done * kSteps / t, 0, kSteps - 1)));
        }
        polling = false;
    });
    const auto cancel = [&] {
        cancelled = true;
        loop.quit();
    };
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, cancel);
    // Escape cancels through the dialog's shortcut while it is the active
    // window; before it has become one, the key rejects the dialog instead,
    // which hides it without a word. Either way the job stops: a dialog
    // gone while its job runs on would leave no way to cancel it.
    QObject::connect(&dialog, &QDialog::rejected, &loop, cancel);

    std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            job(report);
        } catch (...) {
            failure = std::current_exception();
        }
        ended = true;
    }));
    worker->start();
    poll.start(kPollMs);
    // Until the dialog is up, and once cancelled, what the learner types or
    // clicks waits for the job to end; it is not lost. The dialog, while
    // up, is modal and keeps it from the windows.
    while (!ended) {
        filtering = cancelled || !dialog.isVisible();
        loop.exec(filtering ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    }
    worker->wait();
    poll.stop();
    if (cancelled)
        return false;
    if (failure)
        std::rethrow_exception(failure);
    return true;
}
