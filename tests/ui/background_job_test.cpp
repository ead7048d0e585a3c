// The real progress dialog around work on another thread.

#include "store/failure.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

QProgressDialog* shownProgress()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible())
            return p;
    }
    return nullptr;
}

TEST(BackgroundJob, AQuickJobRunsOnItsOwnThreadAndShowsNothing)
{
    QtDialogs dialogs(QStringLiteral("/tmp"));
    QThread* ranOn = nullptr;
    bool seen = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] { seen = seen || shownProgress(); });
    look.start(1);
    EXPECT_TRUE(dialogs.runInBackground(QStringLiteral("x"), [&](const Dialogs::Report& report) {
        ranOn = QThread::currentThread();
        EXPECT_TRUE(report(1, 2));
    }));
    EXPECT_NE(ranOn, QThread::currentThread());
    EXPECT_FALSE(seen);
}

TEST(BackgroundJob, ALongJobShowsItsProgressAndStopsOnCancel)
{
    QtDialogs dialogs(QStringLiteral("/tmp"));
    std::atomic<bool> toldToStop{false};
    QString label, button, title;
    Qt::TextFormat format = Qt::AutoText;
    bool modal = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        QProgressDialog* progress = shownProgress();
        if (!progress || progress->value() <= 0)
            return;
        look.stop();
        auto* text = progress->findChild<QLabel*>();
        label = text->text();
        format = text->textFormat();
        title = progress->windowTitle();
        modal = progress->windowModality() == Qt::ApplicationModal;
        QPushButton* cancel = progress->findChild<QPushButton*>();
        button = cancel->text();
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    look.start(10);
    const bool ended = dialogs.runInBackground(
        QStringLiteral("<b>a.csv</b> を読んでいます…"), [&](const Dialogs::Report& report) {
            for (qint64 done = 0; report(done % 100, 100); ++done)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            toldToStop = true;
        });
    EXPECT_FALSE(ended);
    EXPECT_TRUE(toldToStop);
    EXPECT_EQ(label, QStringLiteral("<b>a.csv</b> を読んでいます…"));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(button, QStringLiteral("キャンセル"));
    EXPECT_EQ(title, QStringLiteral("Lexiwren"));
    EXPECT_TRUE(modal);
    EXPECT_EQ(shownProgress(), nullptr);
}

TEST(BackgroundJob, EscapeCancelsLikeTheButton)
{
    QtDialogs dialogs(QStringLiteral("/tmp"));
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (QProgressDialog* progress = shownProgress()) {
            look.stop();
            QTest::keyClick(progress, Qt::Key_Escape);
        }
    });
    look.start(10);
    int reports = 0;
    EXPECT_FALSE(dialogs.runInBackground(QStringLiteral("x"), [&](const Dialogs::Report& report) {
        for (; report(0, 1) && reports < 20000; ++reports)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }));
    EXPECT_LT(reports, 20000);
}

// Escape on a dialog that is not yet the active window rejects it instead of
// going through its cancel shortcut; the job must stop all the same.
TEST(BackgroundJob, ADialogRejectedAnyWayCancelsTheJob)
{
    QtDialogs dialogs(QStringLiteral("/tmp"));
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (QProgressDialog* progress = shownProgress()) {
            look.stop();
            progress->reject();
        }
    });
    look.start(10);
    int reports = 0;
    EXPECT_FALSE(dialogs.runInBackground(QStringLiteral("x"), [&](const Dialogs::Report& report) {
        for (; report(0, 1) && reports < 20000; ++reports)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }));
    EXPECT_LT(reports, 20000);
}

TEST(BackgroundJob, WhatTheJobRaisesIsRaisedToTheCaller)
{
    QtDialogs dialogs(QStringLiteral("/tmp"));
    try {
        dialogs.runInBackground(QStringLiteral("x"),
                                [](const Dialogs::Report&) { throw Failure(QStringLiteral("読めません")); });
        FAIL() << "nothing raised";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.text(), QStringLiteral("読めません"));
    }
}

} // namespace
