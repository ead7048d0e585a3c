// Every label and box of the program is made in one place (ui/plain_text.h)
// that shows its text as it stands. This reads the sources: a new message
// box, label, tooltip, progress dialog or rich-text widget anywhere else
// would let a word file's "<img src=…>" be read as markup again.

#include "ui/plain_text.h"

#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <span>

namespace {

struct Rule {
    Rule(const char* regex, const char* reason) : pattern(QString::fromLatin1(regex)), why(reason) { }
    QRegularExpression pattern;
    const char* why;
};

// Outside src/ui: no widget that may read text as markup, and no label made
// by hand.
const Rule kOutsideUi[] = {
    {R"(\bQMessageBox\b)", "message boxes go through Dialogs"},
    {R"(new\s+QLabel\b|\bQLabel\s+\w+\s*[({])", "labels are made by ui::label or ui::plainLabel"},
    {R"(\bQToolTip\b|setToolTip\s*\(|setWhatsThis\s*\()", "tooltips may be read as markup"},
    {R"(\b(QProgressDialog|QInputDialog|QErrorMessage|QTextBrowser|QTextEdit|QTextDocument|QStaticText)\b)",
     "this widget may read its text as markup; make it in src/ui with plain text"},
    {R"(setHtml\s*\(|setTextFormat\s*\(|Qt::(RichText|AutoText|MarkdownText))",
     "text formats are set in src/ui"},
    {R"(ItemDelegate\b)", "an item delegate of our own may draw markup"},
};

// Inside src/ui: labels and message boxes come from plain_text.cpp alone.
const Rule kInsideUi[] = {
    {R"(new\s+QLabel\b|\bQLabel\s+\w+\s*[({])", "labels are made by ui::plainLabel"},
    {R"(\bQMessageBox\s+\w+\s*[({]|new\s+QMessageBox\b|public\s+QMessageBox\b)", "boxes are ui::MessageBox"},
    {R"(Qt::(RichText|AutoText|MarkdownText)|setHtml\s*\()", "nothing here shows markup"},
};

QStringList breaches()
{
    const QString root = QStringLiteral(LEXIWREN_SOURCE_DIR);
    QStringList found;
    QDirIterator files(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    int count = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        const QString relative = path.mid(root.size() + 1);
        if (relative.startsWith(QStringLiteral("ui/plain_text."))
            || relative == QStringLiteral("ui/include/ui/plain_text.h"))
            continue;
        const bool inUi = relative.startsWith(QStringLiteral("ui/"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            found << relative + QStringLiteral(": cannot be read");
            continue;
        }
        ++count;
        int number = 0;
        for (const QByteArray& bytes : file.readAll().split('\n')) {
            ++number;
            // Comments may name what they explain.
            const QString line = QString::fromUtf8(bytes).section(QStringLiteral("//"), 0, 0);
            for (const Rule& rule :
                 inUi ? std::span<const Rule>(kInsideUi) : std::span<const Rule>(kOutsideUi))
                if (rule.pattern.match(line).hasMatch())
                    found << QStringLiteral("%1:%2: %3 (%4)")
                                 .arg(relative)
                                 .arg(number)
                                 .arg(line.trimmed(), QString::fromLatin1(rule.why));
        }
    }
    if (count < 50)
        found << QStringLiteral("only %1 source files found under %2").arg(count).arg(root);
    return found;
}

TEST(PlainText, NoLabelOrBoxIsMadeOutsideTheOnePlaceThatShowsPlainText)
{
    const QStringList found = breaches();
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

TEST(PlainText, WhatThatPlaceMakesShowsMarkupAsItsCharacters)
{
    const QString markup = QStringLiteral("<b>x</b> &lt;");
    QWidget parent;
    QLabel* label = ui::plainLabel(markup, &parent);
    ui::MessageBox box(QMessageBox::Critical, QStringLiteral("t"), markup, QMessageBox::Ok);
    QProgressDialog progress;
    ui::showPlain(progress);
    progress.setLabelText(markup);
    for (const QLabel* shown :
         {label, progress.findChild<QLabel*>(), box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))}) {
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->textFormat(), Qt::PlainText);
        EXPECT_EQ(shown->text(), markup);
    }
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
}

// A tooltip is drawn as Qt would show it: as markup when Qt takes it for
// markup, else as it stands.
TEST(PlainText, ATooltipShowsMarkupAsItsCharacters)
{
    QWidget widget;
    for (const QString& text : {QStringLiteral("<img src=/dev/zero>"), QStringLiteral("a &lt; b"),
                                QStringLiteral("<b>x</b>\n二行目"), QStringLiteral("普通の文")}) {
        ui::setPlainToolTip(&widget, text);
        const QString tip = widget.toolTip();
        ASSERT_TRUE(Qt::mightBeRichText(tip)) << tip.toStdString();
        QTextDocument shown;
        shown.setHtml(tip);
        EXPECT_EQ(shown.toPlainText(), text);
    }
    ui::setPlainToolTip(&widget, QString());
    EXPECT_TRUE(widget.toolTip().isEmpty());
}

} // namespace
