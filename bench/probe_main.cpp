// The real program with a step driver: the benchmark's watcher asks it, as a
// learner would, to open a tab, press a button or answer the quiz question
// on the screen, and times from the step to the pixels drawn. It finds its
// way by what the window shows and by the controls' design names only.
#include "step_driver.h"

#include "app/program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QStringDecoder>
#include <QTabBar>
#include <QTest>

#include <memory>

namespace {

// Meaning → word of every record in a word file.
QHash<QString, QString> wordsByMeaning(const QString& path)
{
    QHash<QString, QString> words;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return words;
    QStringDecoder decode("windows-31j");
    const QString text = decode(file.readAll());
    for (const QStringView line : QStringView(text).split(QStringLiteral("\r\n"))) {
        const QList<QStringView> fields = line.split(QLatin1Char(','));
        if (fields.size() > 2)
            words.insert(fields[1].toString(), fields[0].toString());
    }
    return words;
}

class Steps {
public:
    explicit Steps(QWidget& window) : window_(window)
    {
        driver_.add(QStringLiteral("tab"), [this](const QStringList& a) { return tab(a.value(0).toInt()); });
        driver_.add(QStringLiteral("click"), [this](const QStringList& a) { return click(a.value(0)); });
        driver_.add(
            QStringLiteral("words"),
            [this](const QStringList& a) {
                words_ = wordsByMeaning(a.value(0));
                return words_.isEmpty() ? QStringLiteral("no words in %1").arg(a.value(0)) : QString();
            },
            false);
        driver_.add(
            QStringLiteral("type-answer"), [this](const QStringList&) { return typeAnswer(); }, false);
        driver_.add(QStringLiteral("enter"), [this](const QStringList& a) { return enter(a.value(0)); });
    }

private:
    QString tab(int index)
    {
        auto* bar = window_.findChild<QTabBar*>(QStringLiteral("TabBar"));
        if (!bar || index < 0 || index >= bar->count())
            return QStringLiteral("no tab %1").arg(index);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        return {};
    }

    QString click(const QString& name)
    {
        auto* button = window_.findChild<QAbstractButton*>(name);
        if (!button || !button->isVisible())
            return QStringLiteral("no button %1 on the screen").arg(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
        return {};
    }

    // Types the answer to the question on the screen into the answer field.
    QString typeAnswer()
    {
        auto* edit = window_.findChild<QLineEdit*>(QStringLiteral("Edit3"));
        if (!edit || !edit->isVisible())
            return QStringLiteral("no answer field on the screen");
        for (const QLabel* label : window_.findChildren<QLabel*>()) {
            const auto word = words_.constFind(label->text());
            if (label->isVisible() && word != words_.cend()) {
                edit->setText(*word);
                return {};
            }
        }
        return QStringLiteral("no question on the screen");
    }

    QString enter(const QString& name)
    {
        auto* edit = window_.findChild<QLineEdit*>(name);
        if (!edit || !edit->isVisible())
            return QStringLiteral("no field %1 on the screen").arg(name);
        QTest::keyClick(edit, Qt::Key_Return);
        return {};
    }

    QWidget& window_;
    StepDriver driver_;
    QHash<QString, QString> words_;
};

} // namespace

int main(int argc, char* argv[])
{
    std::unique_ptr<Steps> steps;
    return runProgram(argc, argv, [&](QWidget& window) {
        // A steady caret: its blinking would draw while the watcher waits
        // for a step's pixels.
        QApplication::setCursorFlashTime(0);
        closeMessageBoxesOnceDrawn();
        steps = std::make_unique<Steps>(window);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { steps.reset(); });
    });
}
