#include "registration/radio_group.h"
#include "registration_fixture.h"
#include "support/file_size_limit.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using RegistrationTest = RegistrationFixture;

const QString kLimit = QStringLiteral("一つの単語ファイルに登録できるのは1000語までです。");
const QString kDuplicate = QStringLiteral("既に登録されています。");
const QString kRequired = QStringLiteral("「単語」「意味」「品詞」は必須項目です");

bool formIsEmpty(const RegistrationControls& p)
{
    return p.word->text().isEmpty() && p.mean->text().isEmpty() && p.example->text().isEmpty()
        && p.examplemean->text().isEmpty() && p.parts->itemIndex() == 0;
}

TEST_F(RegistrationTest, PanelHoldsEveryControlAtItsPlace)
{
    startWith("");
    const RegistrationControls p = panel();
    EXPECT_TRUE(visible(p.Panel1));
    EXPECT_EQ(p.Panel1->geometry(), QRect(8, 24, 481, 313));
    EXPECT_EQ(p.word->geometry(), QRect(64, 36, 145, 20));
    EXPECT_EQ(p.mean->geometry(), QRect(64, 60, 241, 20));
    EXPECT_EQ(p.example->geometry(), QRect(64, 90, 289, 20));
    EXPECT_EQ(p.examplemean->geometry(), QRect(64, 114, 289, 20));
    EXPECT_EQ(p.parts->geometry(), QRect(64, 142, 113, 115));
    EXPECT_EQ(p.parts->title(), QStringLiteral("品詞"));
    EXPECT_EQ(p.registerButton->geometry(), QRect(8, 272, 75, 25));
    EXPECT_EQ(p.registerButton->text(), QStringLiteral("登録！(&R)"));
    EXPECT_EQ(p.Button2->geometry(), QRect(94, 272, 75, 25));
    EXPECT_EQ(p.Button2->text(), QStringLiteral("消去(&D)"));
    const QStringList items{"名詞(&Z)", "動詞(&X)", "形容詞(&C)", "副詞(&V)", "熟語(&B)"};
    ASSERT_EQ(p.parts->count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(p.parts->item(i)->text(), items[i]);
    EXPECT_EQ(p.parts->itemIndex(), 0);

    const auto labelAt = [&](const char* name) { return find<QLabel>(name); };
    EXPECT_EQ(labelAt("Label19")->pos(), QPoint(24, 8));
    EXPECT_EQ(labelAt("Label19")->text(),
              QStringLiteral("入力して単語の登録を行ってください。(単語、意味は必須項目です。)"));
    EXPECT_EQ(labelAt("Label9")->pos(), QPoint(25, 38));
    EXPECT_EQ(labelAt("Label2")->pos(), QPoint(25, 62));
    EXPECT_EQ(labelAt("Label3")->pos(), QPoint(25, 92));
    EXPECT_EQ(labelAt("Label7")->pos(), QPoint(1, 116));
    EXPECT_EQ(labelAt("Label7")->text(), QStringLiteral("例文意味"));
}

TEST_F(RegistrationTest, TabWalksTheFieldsThePartOfSpeechAndTheButtons)
{
    startWith("");
    const RegistrationControls p = panel();
    p.parts->item(2)->click();
    p.word->setFocus();
    // The checked item is the group's one tab stop.
    const std::vector<QWidget*> order{p.mean,           p.example,        p.examplemean,
                                      p.parts->item(2), p.registerButton, p.Button2};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected)
            << QApplication::focusWidget()->objectName().toStdString();
    }

    // Inside the group the arrow keys choose, and the choice is the stop.
    p.parts->item(2)->setFocus();
    QTest::keyClick(p.parts->item(2), Qt::Key_Down);
    EXPECT_EQ(p.parts->itemIndex(), 3);
    EXPECT_EQ(QApplication::focusWidget(), p.parts->item(3));
    p.Button2Click();
    p.examplemean->setFocus();
    QTest::keyClick(p.examplemean, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), p.parts->item(0));
}

TEST_F(RegistrationTest, InputMethodIsOffInEnglishFieldsAndOnInJapaneseOnes)
{
    startWith("apple,x,,,0,0,0\r\n");
    const RegistrationControls p = panel();
    // Still so after tab switches, which show and hide the panel.
    clickTab(MainWindow::kList);
    clickTab(MainWindow::kRegistration);
    EXPECT_FALSE(inputMethodOn(p.word));
    EXPECT_FALSE(inputMethodOn(p.example));
    EXPECT_TRUE(inputMethodOn(p.mean));
    EXPECT_TRUE(inputMethodOn(p.examplemean));
    EXPECT_TRUE(p.word->inputMethodHints().testFlag(Qt::ImhLatinOnly));
    EXPECT_TRUE(p.example->inputMethodHints().testFlag(Qt::ImhPreferLatin));
    EXPECT_FALSE(p.mean->inputMethodHints().testFlag(Qt::ImhPreferLatin));
    EXPECT_FALSE(p.examplemean->inputMethodHints().testFlag(Qt::ImhLatinOnly));
}

TEST_F(RegistrationTest, RegisteringAppendsTheRecordSavesAndClearsTheForm)
{
    startWith("");
    registerWord("apple", QStringLiteral("りんご"));
    EXPECT_EQ(wordFile(), records({"apple,りんご,,,0,0,0"}));
    EXPECT_TRUE(formIsEmpty(panel()));
    EXPECT_EQ(QApplication::focusWidget(), panel().word);

    // Every field and the part of speech go into the record, in order.
    panel().parts->item(3)->click();
    registerWord("quickly", QStringLiteral("すばやく"), "Run quickly.", QStringLiteral("素早く走れ。"));
    EXPECT_EQ(wordFile(),
              records({"apple,りんご,,,0,0,0", "quickly,すばやく,Run quickly.,素早く走れ。,3,0,0"}));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(panel().parts->itemIndex(), 0);
}

TEST_F(RegistrationTest, EnterInAnyFieldRegisters)
{
    startWith("");
    const RegistrationControls p = panel();
    QByteArray expected;
    int n = 0;
    for (QLineEdit* field : {p.word, p.mean, p.example, p.examplemean}) {
        const QString word = QStringLiteral("w%1").arg(n++);
        typeInto(p.word, word);
        typeInto(p.mean, QStringLiteral("意味"));
        QTest::keyClick(field, Qt::Key_Return);
        expected += sjis(word.toUtf8() + ",意味,,,0,0,0\r\n");
        EXPECT_EQ(wordFile(), expected) << field->objectName().toStdString();
        EXPECT_TRUE(formIsEmpty(p));
    }
    QTest::keyClick(p.word, Qt::Key_Enter); // the keypad key too
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{kRequired});
}

TEST_F(RegistrationTest, DuplicateRefusalClearsTheFormAndCaseMatters)
{
    startWith(records({"apple,りんご,,,0,0,0"}));
    registerWord("apple", QStringLiteral("べつの"));
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{kDuplicate});
    EXPECT_TRUE(formIsEmpty(panel()));

    registerWord("Apple", QStringLiteral("大文字"));
    registerWord("apple ", QStringLiteral("空白つき"));
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(wordFile(),
              records({"apple,りんご,,,0,0,0", "Apple,大文字,,,0,0,0", "apple ,空白つき,,,0,0,0"}));
}

TEST_F(RegistrationTest, MissingMeaningKeepsWhatWasTyped)
{
    startWith("");
    panel().parts->item(1)->click();
    registerWord("run", "", "I run.");
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{kRequired});
    EXPECT_EQ(panel().word->text(), QStringLiteral("run"));
    EXPECT_EQ(panel().example->text(), QStringLiteral("I run."));
    EXPECT_EQ(panel().parts->itemIndex(), 1);
    EXPECT_EQ(wordFile(), QByteArray());
}

TEST_F(RegistrationTest, LimitComesBeforeDuplicateWhichComesBeforeRequiredFields)
{
    // A full store refuses even an empty form, and clears it.
    startWith(manyRecords(1000));
    typeInto(panel().mean, QStringLiteral("意味"));
    QTest::mouseClick(panel().registerButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{kLimit});
    EXPECT_TRUE(formIsEmpty(panel()));
    EXPECT_EQ(wordFile(), manyRecords(1000));
}

TEST_F(RegistrationTest, HalfWidthCommaIsRefusedInEveryField)
{
    startWith("");
    const RegistrationControls p = panel();
    for (QLineEdit* field : {p.word, p.mean, p.example, p.examplemean}) {
        dialogs.clear();
        p.Button2Click();
        typeInto(p.word, "w");
        typeInto(p.mean, QStringLiteral("意味"));
        field->clear();
        typeInto(field, "a, b");
        QTest::keyClick(field, Qt::Key_Return);
        ASSERT_EQ(dialogs.messages().size(), 1u) << field->objectName().toStdString();
        EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("半角のカンマ「,」は使えません")));
        EXPECT_EQ(field->text(), QStringLiteral("a, b"));
        EXPECT_EQ(wordFile(), QByteArray());
    }
}

TEST_F(RegistrationTest, FullWidthCommasAreOrdinaryText)
{
    startWith("");
    registerWord("list", QStringLiteral("一覧，表、目録"));
    EXPECT_EQ(wordFile(), records({"list,一覧，表、目録,,,0,0,0"}));
}

TEST_F(RegistrationTest, LineBreaksAndControlCharactersAreRefused)
{
    startWith("");
    const RegistrationControls p = panel();
    for (const QString& bad : {QStringLiteral("a\nb"), QStringLiteral("a\rb"), QStringLiteral("a\tb")}) {
        dialogs.clear();
        p.Button2Click();
        typeInto(p.word, "w");
        typeInto(p.mean, QStringLiteral("意味"));
        typeInto(p.example, "e");
        // Pasted text can carry characters no key types.
        p.example->setText(bad);
        QTest::mouseClick(p.registerButton, Qt::LeftButton);
        EXPECT_EQ(dialogs.messages(),
                  std::vector<QString>{QStringLiteral("改行やタブなどの制御文字は使えません。")});
        EXPECT_EQ(wordFile(), QByteArray());
    }
}

TEST_F(RegistrationTest, TextWithoutShiftJisCodeIsRefusedWithTheCodecMessage)
{
    startWith("");
    registerWord("café", QStringLiteral("喫茶店"));
    ASSERT_EQ(dialogs.errors().size(), 1u);
    EXPECT_EQ(dialogs.errors()[0],
              QStringLiteral("文字「é」(U+00E9) は Shift-JIS で書けないので使えません."));
    EXPECT_EQ(panel().word->text(), QStringLiteral("café"));

    dialogs.clear();
    panel().Button2Click();
    registerWord("luck", QStringLiteral("𠮷"));
    ASSERT_EQ(dialogs.errors().size(), 1u);
    EXPECT_TRUE(dialogs.errors()[0].contains(QStringLiteral("U+20BB7")));
    EXPECT_EQ(wordFile(), QByteArray());
}

TEST_F(RegistrationTest, NewWordGoesBeforeTheEmptyLineWhereEveryScanStops)
{
    // A hand-edited file with a blank line: "pear" is out of sight, and
    // stays there.
    startWith(records({"apple,りんご,,,0,0,0", "", "pear,なし,,,0,0,0"}));
    registerWord("kiwi", QStringLiteral("キウイ"));
    EXPECT_EQ(wordFile(), records({"apple,りんご,,,0,0,0", "kiwi,キウイ,,,0,0,0", "", "pear,なし,,,0,0,0"}));

    clickTab(MainWindow::kList);
    const QAbstractItemModel* listed = find<QTableView>("StringGrid1")->model();
    EXPECT_EQ(listed->rowCount(), 2);
    EXPECT_EQ(listed->index(1, 1).data().toString(), QStringLiteral("kiwi"));
}

TEST_F(RegistrationTest, AFailedSaveKeepsNothingButTheFormAndEnterThenRegistersOnce)
{
    startWith("");
    {
        // No file may grow: no save can succeed.
        FileSizeLimit full(1);
        registerWord("kiwi", QStringLiteral("キウイ"));
    }
    ASSERT_EQ(dialogs.errors(),
              std::vector<QString>{QStringLiteral("ファイル words\\default.txt を作成できません.")});
    EXPECT_EQ(panel().word->text(), QStringLiteral("kiwi"));
    EXPECT_EQ(trainer.book().store.LineCount(), 0);
    EXPECT_EQ(wordFile(), QByteArray());

    // The disk is back: Enter registers the same word, not "already there".
    dialogs.clear();
    QTest::keyClick(panel().mean, Qt::Key_Return);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(panel().word->text().isEmpty());
    EXPECT_EQ(wordFile(), sjis("kiwi,キウイ,,,0,0,0\r\n"));
}

TEST_F(RegistrationTest, ClearButtonEmptiesTheFormAndFocusesTheWord)
{
    startWith("");
    const RegistrationControls p = panel();
    typeInto(p.word, "w");
    typeInto(p.examplemean, QStringLiteral("例"));
    p.parts->item(4)->click();
    QTest::mouseClick(p.Button2, Qt::LeftButton);
    EXPECT_TRUE(formIsEmpty(p));
    EXPECT_EQ(QApplication::focusWidget(), p.word);
}

} // namespace
