#include "ui/plain_text.h"

#include "ui/controls.h"

#include <QLabel>
#include <QProgressDialog>
#include <QWidget>

namespace ui {

QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(parent);
    // The format first: a text set before it would already be parsed.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

MessageBox::MessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons)
    : QMessageBox(icon, title, QString(), buttons)
{
    setTextFormat(Qt::PlainText);
    setText(text);
    setWindowModality(Qt::ApplicationModal);
}

void MessageBox::showEvent(QShowEvent* event)
{
    // The box settles its size only as it is shown: it grows to fit its text
    // and, when the text (a long path, say) would be wider than the screen
    // allows, wraps it anywhere and keeps within the screen. So it is
    // centred after that, not before.
    QMessageBox::showEvent(event);
    centreOnScreen(*this);
}

void setPlainToolTip(QWidget* widget, const QString& text)
{
    widget->setToolTip(text.isEmpty() ? QString()
                                      : QStringLiteral("<qt>")
                               + text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))
                               + QStringLiteral("</qt>"));
}

void showPlain(QProgressDialog& dialog)
{
    dialog.setLabel(plainLabel(QString(), &dialog));
}

} // namespace ui
