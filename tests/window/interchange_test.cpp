// インポート... and エクスポート... on the options tab, as a learner uses them.

#include "support/fixtures.h"
#include "ui/qt_dialogs.h"
#include "window/options_panel.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

class InterchangeTest : public AppFixture {
protected:
    void SetUp() override
    {
        startWith("apple," + sjis("りんご") + ",,,0,3,1\r\n");
        clickTab(MainWindow::kOptions);
        dialogs.clear();
    }
    OptionsControls panel() { return OptionsControls(*window); }
    void press(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
};

TEST_F(InterchangeTest, TheTwoCommandsSitInTheEmptyBandOfTheWordFileBox)
{
    QGroupBox* box = find<QGroupBox>("GroupBox4");
    const int below = find<QPushButton>("Button3")->geometry().bottom();
    const int above = find<QLabel>("Label8")->geometry().top();
    for (QPushButton* b : {panel().ImportButton, panel().ExportButton}) {
        EXPECT_EQ(b->parentWidget(), box);
        EXPECT_GT(b->geometry().top(), below);
        EXPECT_LT(b->geometry().bottom(), above);
        EXPECT_TRUE(box->contentsRect().contains(b->geometry()));
    }
    EXPECT_FALSE(panel().ImportButton->geometry().intersects(panel().ExportButton->geometry()));
    // The controls placed before keep their places.
    EXPECT_EQ(find<QPushButton>("Button7")->geometry(), QRect(152, 64, 65, 25));
    EXPECT_EQ(find<QLabel>("Label8")->pos(), QPoint(8, 189));
}

TEST_F(InterchangeTest, ImportShowsWhatItWillDoAndRegistersOnlyAfterOK)
{
    folder.write(QStringLiteral("anki.txt"), "#separator:tab\n#html:false\nkiwi\tキウイ\napple\t林檎\n");
    dialogs.fileAnswers = {folder.path(QStringLiteral("anki.txt")), folder.path(QStringLiteral("anki.txt"))};
    dialogs.confirmAnswers = {false, true};
    press(panel().ImportButton);
    ASSERT_EQ(dialogs.confirmations().size(), 1u);
    EXPECT_TRUE(dialogs.confirmations()[0].startsWith(QStringLiteral("1 語を登録します。")));
    ASSERT_EQ(dialogs.lastList.size(), 1);
    EXPECT_TRUE(dialogs.lastList[0].startsWith(QStringLiteral("4 行目: ")));
    EXPECT_EQ(wordFile(), "apple," + sjis("りんご") + ",,,0,3,1\r\n");

    press(panel().ImportButton);
    EXPECT_EQ(wordFile(), "apple," + sjis("りんご") + ",,,0,3,1\r\nkiwi," + sjis("キウイ") + ",,,0,0,0\r\n");
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral("1 語を登録しました。")});
}

TEST_F(InterchangeTest, ExportWritesTheFormOfTheChosenTypeAndAsksBeforeReplacing)
{
    dialogs.fileAnswers = {folder.path(QStringLiteral("for-kde"))};
    dialogs.filterAnswers = {2};
    press(panel().ExportButton);
    const QByteArray kvtml = folder.read(QStringLiteral("for-kde.kvtml"));
    EXPECT_TRUE(kvtml.startsWith("<?xml")) << kvtml.left(40).toStdString();
    EXPECT_TRUE(kvtml.contains("apple"));

    folder.write(QStringLiteral("mine.csv"), "keep me");
    dialogs.fileAnswers = {folder.path(QStringLiteral("mine.csv"))};
    dialogs.filterAnswers = {0};
    dialogs.confirmAnswers = {false};
    press(panel().ExportButton);
    EXPECT_EQ(folder.read(QStringLiteral("mine.csv")), "keep me");
    EXPECT_EQ(wordFile(), "apple," + sjis("りんご") + ",,,0,3,1\r\n");
}

// A file large enough for the reading to report its progress a few times.
QByteArray manyRows()
{
    QByteArray rows;
    for (int i = 0; i < 100000; ++i)
        rows += "w" + QByteArray::number(i) + ",m\n";
    return rows;
}

TEST_F(InterchangeTest, CancellingTheReadingAsksNothingAndChangesNothing)
{
    folder.write(QStringLiteral("many.csv"), manyRows());
    const QByteArray before = wordFile();
    dialogs.fileAnswers = {folder.path(QStringLiteral("many.csv"))};
    dialogs.cancelAtReport = 2;
    press(find<QPushButton>("ImportButton"));
    EXPECT_GE(dialogs.reports, 2);
    ASSERT_EQ(dialogs.texts(ScriptedDialogs::Kind::Progress).size(), 1u);
    EXPECT_TRUE(dialogs.confirmations().empty());
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_TRUE(dialogs.errors().empty());
    EXPECT_EQ(wordFile(), before);
}

TEST_F(InterchangeTest, TheProgressDialogShowsForALargeFileAndItsCancelLeavesAllAsItWas)
{
    folder.write(QStringLiteral("many.csv"), manyRows());
    const QByteArray before = wordFile();
    // The real dialog; the reading waits at its reports until the dialog
    // has been seen (30 s at most), however fast the machine.
    QtDialogs real(folder.path(QString()));
    std::atomic<bool> seen{false};
    dialogs.background = [&](const QString& label, const Dialogs::Job& job) {
        return real.runInBackground(label, [&](const Dialogs::Report& report) {
            job([&](qint64 done, qint64 total) {
                for (int waited = 0; !seen && waited < 30000; ++waited)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                return report(done, total);
            });
        });
    };
    QString label;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (!progress || !progress->isVisible())
                continue;
            look.stop();
            label = progress->labelText();
            seen = true;
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        }
    });
    look.start(10);
    dialogs.fileAnswers = {folder.path(QStringLiteral("many.csv"))};
    press(find<QPushButton>("ImportButton"));
    EXPECT_TRUE(seen);
    EXPECT_EQ(label, QStringLiteral("%1 を読んでいます…").arg(folder.path(QStringLiteral("many.csv"))));
    EXPECT_TRUE(dialogs.confirmations().empty());
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(wordFile(), before);
}

TEST_F(InterchangeTest, OKAfterARegistrationMadeMeanwhileAsksAgainAndAddsEachWordOnce)
{
    folder.write(QStringLiteral("in.csv"), "kiwi,キウイ\nfig,いちじく\n");
    dialogs.fileAnswers = {folder.path(QStringLiteral("in.csv"))};
    dialogs.confirmAnswers = {true, true};
    bool registered = false;
    dialogs.whileOpen = [&](const ScriptedDialogs::Shown& shown) {
        if (shown.kind == ScriptedDialogs::Kind::Confirm && !std::exchange(registered, true))
            trainer.registerWord({QStringLiteral("kiwi"), QStringLiteral("キウイ"), {}, {}, 0});
    };
    press(find<QPushButton>("ImportButton"));
    const auto asked = dialogs.confirmations();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[0].startsWith(QStringLiteral("2 語を登録します。")));
    EXPECT_TRUE(
        asked[1].startsWith(QStringLiteral("1 語を登録します。\n次の 1 行は登録しません。\n確認のあとで")))
        << asked[1].toStdString();
    EXPECT_EQ(dialogs.lastList, QStringList{QStringLiteral("1 行目: 「kiwi」は既に登録されています")});
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral("1 語を登録しました。")});
    EXPECT_EQ(wordFile(),
              "apple," + sjis("りんご") + ",,,0,3,1\r\nkiwi," + sjis("キウイ") + ",,,0,0,0\r\nfig,"
                  + sjis("いちじく") + ",,,0,0,0\r\n");
}

} // namespace
