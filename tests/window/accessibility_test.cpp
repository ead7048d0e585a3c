// What a screen reader announces: every control a learner can reach by
// keyboard or mouse has a name and a role, edits are named by their labels.

#include "registration/change_dialog.h"
#include "registration/registration_panel.h"
#include "support/fixtures.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class Accessibility : public AppFixture {
protected:
    // The focusable widgets under `root` with no name to announce.
    static QStringList unnamed(QWidget* root)
    {
        QStringList out;
        const QList<QWidget*> widgets = root->findChildren<QWidget*>();
        for (QWidget* w : widgets) {
            if (w->focusPolicy() == Qt::NoFocus || !w->isEnabled() || w->isWindow())
                continue;
            // Viewports and the like take focus for their view, which is named.
            if (w->focusProxy())
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                out << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                     QString::fromLatin1(w->metaObject()->className()));
        }
        return out;
    }
    static QString nameOf(QWidget* w)
    {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(QAccessible::Name) : QString();
    }
};

TEST_F(Accessibility, EveryFocusableControlOfEveryTabAndDialogHasAName)
{
    startWith("apple,x,,,0,0,0\r\n");
    for (int tab : {MainWindow::kQuiz, MainWindow::kTest, MainWindow::kList, MainWindow::kOptions,
                    MainWindow::kAbout, MainWindow::kProgress, MainWindow::kRegistration})
        clickTab(tab);
    EXPECT_EQ(unnamed(window.get()).join(u',').toStdString(), "");
    EXPECT_EQ(unnamed(window->OKBottomDlg()).join(u',').toStdString(), "");
}

TEST_F(Accessibility, EditsAreNamedByTheirLabelsAndTheDefaultFileByItsHeading)
{
    startWith("");
    const RegistrationControls panel(*window);
    EXPECT_EQ(nameOf(panel.word), QStringLiteral("単語"));
    EXPECT_EQ(nameOf(panel.mean), QStringLiteral("意味"));
    EXPECT_EQ(nameOf(panel.example), QStringLiteral("例文"));
    EXPECT_EQ(nameOf(panel.examplemean), QStringLiteral("例文意味"));
    EXPECT_EQ(find<QLabel>("Label9")->buddy(), panel.word);
    TOKBottomDlg* dialog = window->OKBottomDlg();
    EXPECT_EQ(nameOf(ChangeDialogControls(*dialog).past_Edit), QStringLiteral("元のデータ"));
    EXPECT_EQ(nameOf(ChangeDialogControls(*dialog).new_Edit), QStringLiteral("新しいデータ"));
    clickTab(MainWindow::kOptions);
    EXPECT_EQ(nameOf(find<QLineEdit>("Edit1")), QStringLiteral("デフォルト単語ファイル"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(find<QLineEdit>("Edit1"))->role(),
              QAccessible::EditableText);
}

} // namespace
