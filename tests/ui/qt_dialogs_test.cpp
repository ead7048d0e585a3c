#include "support/modal_driver.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
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

namespace {

// The file dialogs as the learner uses them: a name typed, a filter picked.
TEST(QtDialogs, AFileDialogAnswersTheNameTypedAsItStandsAndTheFilterItWasPickedUnder)
{
    QTemporaryDir folder;
    QtDialogs dialogs(folder.path());
    ModalDriver driver;
    QStringList offered;
    driver.then({"QFileDialog", [&](QWidget* modal) {
                     offered = static_cast<QFileDialog*>(modal)->nameFilters();
                     return ModalDriver::pickFile(QStringLiteral("x\\a.txt")).act(modal);
                 }});
    EXPECT_EQ(dialogs.openFileName(QStringLiteral("単語ファイルを開く")),
              QDir(folder.path()).filePath(QStringLiteral("x\\a.txt")));
    EXPECT_EQ(offered, QStringList{QStringLiteral("テキストファイル (*.txt)")});

    const QStringList filters{QStringLiteral("CSV (*.csv)"), QStringLiteral("Anki (*.txt)"),
                              QStringLiteral("KVTML (*.kvtml)")};
    for (int filter = 0; filter < filters.size(); ++filter) {
        driver.then(ModalDriver::pickFile(QStringLiteral("out"), filters[filter].section(u' ', 0, 0)));
        const auto chosen = dialogs.chooseFile(QStringLiteral("単語をエクスポート"), filters, true);
        ASSERT_TRUE(chosen) << filter;
        EXPECT_EQ(chosen->filter, filter);
        // No suffix of the dialog's own: the caller adds the form's.
        EXPECT_EQ(chosen->path, QDir(folder.path()).filePath(QStringLiteral("out")));
    }

    driver.then(ModalDriver::cancelFile());
    EXPECT_FALSE(dialogs.saveFileName(QStringLiteral("単語ファイルを保存")));
    driver.then(ModalDriver::cancelFile());
    EXPECT_FALSE(dialogs.chooseFile(QStringLiteral("単語をエクスポート"), filters, true));
    EXPECT_TRUE(driver.done());
}

} // namespace
