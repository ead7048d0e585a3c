#include "registration/registration_panel.h"
#include "support/fixtures.h"
#include "window/options_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <gtest/gtest.h>

namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, FirstStartWritesPreferencesAndAnEmptyWordFile)
{
    start();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0],
              QStringLiteral("初期設定ファイル plimopref.ini\nが見つからなかったので新たに作成しました。"));
    EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")),
              "[wordfile]\r\ndefwordfile=words\\default.txt\r\n");
    // The "words" folder is made too, so the first start has a word file.
    EXPECT_TRUE(folder.exists(QStringLiteral("words/default.txt")));
    EXPECT_EQ(wordFile(), "");
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_TRUE(dialogs.errors().empty());
}

TEST_F(StartupTest, WindowAndFirstTab)
{
    startWith("apple,x,,,0,0,0\r\n");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Lexiwren v1.0"));
    EXPECT_EQ(window->size(), QSize(498, 356));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    QStringList captions;
    for (int i = 0; i < find<QTabBar>("TabBar")->count(); ++i)
        captions << find<QTabBar>("TabBar")->tabText(i);
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral("単語登録"), QStringLiteral("出題"), QStringLiteral("テスト出題"),
                           QStringLiteral("登録一覧"), QStringLiteral("オプション..."),
                           QStringLiteral("アバウト..."), QStringLiteral("記録")}));
    EXPECT_EQ(find<QTabBar>("TabBar")->currentIndex(), 0);
    EXPECT_TRUE(RegistrationControls(*window).Panel1->isVisible());
    EXPECT_TRUE(RegistrationControls(*window).registerButton->isVisible());
    EXPECT_TRUE(RegistrationControls(*window).Button2->isVisible());
    EXPECT_EQ(RegistrationControls(*window).Panel1->geometry(), QRect(8, 24, 481, 313));
    EXPECT_EQ(window->focusWidget(), RegistrationControls(*window).word);
    EXPECT_FALSE(window->options()->isVisible());
    EXPECT_EQ(trainer.book().store.LineCount(), 1);
}

TEST_F(StartupTest, LaterStartUsesTheStoredDefaultAndShowsNoMessage)
{
    folder.write(QStringLiteral("mine/list.txt"), "a,b,,,0,0,0");
    folder.writePrefs("mine\\list.txt");
    start();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("mine\\list.txt"));
    EXPECT_EQ(trainer.book().store.text(), "a,b,,,0,0,0");
    EXPECT_EQ(OptionsControls(*window).path->text(), QStringLiteral("mine\\list.txt"));
    EXPECT_EQ(OptionsControls(*window).Edit1->text(), QStringLiteral("mine\\list.txt"));
}

TEST_F(StartupTest, DamagedDefaultFileIsReportedAndNotTouched)
{
    const QByteArray utf16("\xFF\xFE"
                           "a\0,\0",
                           6);
    startWith(utf16);
    ASSERT_EQ(dialogs.errors().size(), 1u);
    EXPECT_TRUE(dialogs.errors()[0].endsWith(QLatin1Char('.')));
    EXPECT_TRUE(trainer.book().path.isEmpty());
    EXPECT_EQ(trainer.book().store.LineCount(), 0);
    EXPECT_EQ(wordFile(), utf16);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(StartupTest, UnwritablePreferencesStillStartWithTheDefaultFile)
{
    folder.write(QStringLiteral("config"), "a file where the folder should be");
    start();
    ASSERT_EQ(dialogs.errors().size(), 1u);
    EXPECT_EQ(dialogs.errors()[0], QStringLiteral("%1 に書き込めません.").arg(folder.prefsFile()));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(trainer.book().path.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_TRUE(folder.exists(QStringLiteral("words/default.txt")));
}

} // namespace
