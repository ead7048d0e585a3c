#include "ui/list_dialog.h"

#include "ui/controls.h"
#include "ui/plain_text.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

bool confirmWithList(const QString& text, const QStringList& items)
{
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("情報"));
    dialog.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&dialog);

    QLabel* label = plainLabel(text, &dialog);
    label->setWordWrap(true);
    layout->addWidget(label);

    auto* list = new QPlainTextEdit(items.join(QLatin1Char('\n')), &dialog);
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setAccessibleName(text.section(QLatin1Char('\n'), 0, 0));
    list->setVisible(!items.isEmpty());
    label->setBuddy(list);
    layout->addWidget(list);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setFocus();

    dialog.resize(440, items.isEmpty() ? dialog.sizeHint().height() : 320);
    centreOnScreen(dialog);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
