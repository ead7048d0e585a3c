// 書き出す and エクスポート never write over the current word file, whatever
// name the learner gives it; any other file that exists is replaced only
// after a question.

#include "support/fixtures.h"
#include "support/modal_driver.h"
#include "ui/qt_dialogs.h"
#include "window/options_panel.h"

#include <QFile>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QByteArray kWords = "apple,x,,,0,3,1\r\n";

class CurrentFileGuard : public AppFixture {
protected:
    // Starts on `current` (below the data folder) with every other name of
    // it made: a symbolic and a hard link beside the words folder.
    void startOn(const QString& current)
    {
        folder.write(current, kWords);
        folder.writePrefs(QString(current).replace(QLatin1Char('/'), QLatin1Char('\\')).toUtf8());
        start();
        const QString file = folder.path(current);
        const QString suffix = QLatin1Char('.') + QFileInfo(current).suffix();
        ASSERT_TRUE(QFile::link(file, folder.path(QStringLiteral("link") + suffix)));
        ASSERT_EQ(::link(QFile::encodeName(file).constData(),
                         QFile::encodeName(folder.path(QStringLiteral("hard") + suffix)).constData()),
                  0);
        clickTab(MainWindow::kOptions);
        dialogs.clear();
    }
    // The names a learner may pick for `current` (as the dialog returns
    // them, suffix or not), each meaning the current word file.
    QStringList spellingsOf(const QString& current) const
    {
        const QString base = QFileInfo(current).completeBaseName();
        const QString suffix = QLatin1Char('.') + QFileInfo(current).suffix();
        return {folder.path(current),
                folder.path(QStringLiteral("words\\") + base),
                folder.path(QStringLiteral("words/./") + base + suffix),
                folder.path(QStringLiteral("words/../words/") + base),
                QStringLiteral("words\\") + base + suffix,
                folder.path(QStringLiteral("link") + suffix),
                folder.path(QStringLiteral("hard") + suffix)};
    }
    QStringList filesInFolder() const
    {
        return QDir(folder.path(QString())).entryList(QDir::Files | QDir::System, QDir::Name)
            + QDir(folder.path(QStringLiteral("words"))).entryList(QDir::Files | QDir::System, QDir::Name);
    }
    void press(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
};

TEST_F(CurrentFileGuard, ExportOntoTheCurrentWordFileIsRefusedUnderEveryFilterBeforeAnyQuestion)
{
    const struct {
        int filter;
        const char* current;
    } rows[] = {{0, "words/list.csv"}, {1, "words/default.txt"}, {2, "words/list.kvtml"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.current);
        const QString current = QString::fromLatin1(row.current);
        startOn(current);
        const QStringList before = filesInFolder();
        for (const QString& spelling : spellingsOf(current)) {
            dialogs.clear();
            dialogs.fileAnswers = {spelling};
            dialogs.filterAnswers = {row.filter};
            press("ExportButton");
            EXPECT_TRUE(dialogs.confirmations().empty()) << spelling.toStdString();
            ASSERT_EQ(dialogs.errors().size(), 1u) << spelling.toStdString();
            EXPECT_TRUE(dialogs.errors()[0].contains(QStringLiteral("にはエクスポートできません")));
            EXPECT_EQ(folder.read(current), kWords) << spelling.toStdString();
        }
        EXPECT_EQ(filesInFolder(), before);
        window.reset();
        QFile::remove(folder.path(QStringLiteral("link.") + QFileInfo(current).suffix()));
        QFile::remove(folder.path(QStringLiteral("hard.") + QFileInfo(current).suffix()));
    }
}

TEST_F(CurrentFileGuard, WritingOutOntoTheCurrentWordFileIsRefusedByEveryNameAndOtherFilesAskFirst)
{
    startOn(QStringLiteral("words/default.txt"));
    const QStringList before = filesInFolder();
    for (const QString& spelling : spellingsOf(QStringLiteral("words/default.txt"))) {
        dialogs.clear();
        dialogs.fileAnswers = {spelling};
        press("Button6");
        EXPECT_TRUE(dialogs.confirmations().empty()) << spelling.toStdString();
        ASSERT_EQ(dialogs.errors().size(), 1u) << spelling.toStdString();
        EXPECT_TRUE(dialogs.errors()[0].contains(QStringLiteral("には書き出せません")));
    }
    EXPECT_EQ(wordFile(), kWords);
    EXPECT_EQ(filesInFolder(), before);

    // A file of the same bytes elsewhere is another file: asked, and kept
    // on キャンセル.
    folder.write(QStringLiteral("copy.txt"), "mine");
    dialogs.clear();
    dialogs.fileAnswers = {folder.path(QStringLiteral("copy.txt"))};
    dialogs.confirmAnswers = {false};
    press("Button6");
    ASSERT_EQ(dialogs.confirmations().size(), 1u);
    EXPECT_EQ(folder.read(QStringLiteral("copy.txt")), "mine");
    // Its name with a backslash, as picked, is that file too: a new file
    // named so is a file of its own, asked about nothing.
    dialogs.clear();
    dialogs.fileAnswers = {folder.path(QStringLiteral("x\\copy.txt"))};
    press("Button6");
    EXPECT_TRUE(dialogs.shown.size() == 1 && dialogs.errors().empty());
    EXPECT_EQ(folder.read(QStringLiteral("x\\copy.txt")), kWords);
}

} // namespace

namespace {

// The same through Qt's own file dialog and message boxes, driven by keys.
class CurrentFileGuardInRealDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write(QStringLiteral("words/default.txt"), kWords);
        folder.writePrefs("words\\default.txt");
        window = std::make_unique<MainWindow>(trainer, dialogs, testAssist(folder));
        window->FormCreate();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTabBar* bar = window->findChild<QTabBar*>(QStringLiteral("TabBar"));
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(MainWindow::kOptions).center());
    }
    void press(const char* button)
    {
        QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        EXPECT_TRUE(driver.done()) << "a dialog the learner was to see did not open";
    }

    TempFolder folder;
    Trainer trainer{folder.prefsFile()};
    QtDialogs dialogs{folder.path(QString())};
    std::unique_ptr<MainWindow> window;
    ModalDriver driver;
};

TEST_F(CurrentFileGuardInRealDialogs, TheNameTypedWithABackslashIsRefusedUnderTheAnkiFilterAndForWritingOut)
{
    QString refusal;
    driver.then(
        ModalDriver::pickFile(QStringLiteral("words\\default"), QStringLiteral("タブ区切りテキスト")));
    driver.then(ModalDriver::answerBox(&refusal));
    press("ExportButton");
    EXPECT_TRUE(
        refusal.contains(QStringLiteral("今の単語ファイル words\\default.txt にはエクスポートできません")))
        << refusal.toStdString();

    driver.then(ModalDriver::pickFile(QStringLiteral("words\\default")));
    driver.then(ModalDriver::answerBox(&refusal));
    press("Button6");
    EXPECT_TRUE(refusal.contains(QStringLiteral("には書き出せません"))) << refusal.toStdString();

    EXPECT_EQ(folder.read(QStringLiteral("words/default.txt")), kWords);
    EXPECT_FALSE(folder.exists(QStringLiteral("words\\default.txt")));
}

TEST_F(CurrentFileGuardInRealDialogs, AnotherExistingFileIsReplacedOnlyAfterTheQuestion)
{
    folder.write(QStringLiteral("mine.csv"), "keep me");
    QString question;
    driver.then(ModalDriver::pickFile(QStringLiteral("mine"), QStringLiteral("CSV")));
    driver.then(ModalDriver::answerBox(&question, QStringLiteral("キャンセル")));
    press("ExportButton");
    EXPECT_TRUE(question.contains(QStringLiteral("mine.csv はすでにあります"))) << question.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("mine.csv")), "keep me");

    driver.then(ModalDriver::pickFile(QStringLiteral("mine"), QStringLiteral("CSV")));
    driver.then(ModalDriver::answerBox(&question, QStringLiteral("OK")));
    press("ExportButton");
    EXPECT_TRUE(folder.read(QStringLiteral("mine.csv")).contains("apple"));
}

} // namespace
