#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Where a box stood once shown, as the test found it.
struct Shown {
    QRect frame;
    QRect screen;
};

// Runs `show`, which opens one modal box; closes that box once it has been on
// screen for a moment, and says where it was.
template <typename F> Shown whereShown(F show)
{
    Shown shown;
    QTimer poll;
    int seen = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        // A few turns of the event loop: its final size and place.
        if (++seen < 5)
            return;
        shown.frame = box->frameGeometry();
        shown.screen = box->screen()->availableGeometry();
        box->done(QMessageBox::Ok);
    });
    poll.start(10);
    show();
    return shown;
}

TEST(QtDialogs, ABoxWithAVeryLongPathFitsTheScreenAndIsCentredOnIt)
{
    QString path = QStringLiteral("/home/learner");
    for (int i = 0; i < 40; ++i)
        path += QStringLiteral("/a-rather-long-folder-name-%1").arg(i);
    path += QStringLiteral("/words.txt");
    QtDialogs dialogs(QStringLiteral("/tmp"));
    for (const auto& show : std::initializer_list<std::function<void()>>{
             [&] { dialogs.error(QStringLiteral("ファイル %1 は開けません.").arg(path)); },
             [&] { dialogs.message(QStringLiteral("ファイル%1を読み込みました").arg(path)); },
             [&] { dialogs.confirm(path); },
             [&] { dialogs.message(QStringLiteral("既に登録されています。")); }}) {
        const Shown shown = whereShown(show);
        ASSERT_TRUE(shown.frame.isValid());
        EXPECT_TRUE(shown.screen.contains(shown.frame))
            << "box " << shown.frame.x() << "," << shown.frame.y() << " " << shown.frame.width() << "x"
            << shown.frame.height() << " screen " << shown.screen.width() << "x" << shown.screen.height();
        EXPECT_LE(std::abs(shown.frame.center().x() - shown.screen.center().x()), 1);
        EXPECT_LE(std::abs(shown.frame.center().y() - shown.screen.center().y()), 1);
    }
}

} // namespace
