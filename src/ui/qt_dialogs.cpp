#include "ui/qt_dialogs.h"

#include "ui/controls.h"
#include "ui/list_dialog.h"
#include "ui/plain_text.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

namespace {

// A box titled with the program's name and a single OK button.
void notify(QMessageBox::Icon icon, const QString& text)
{
    ui::MessageBox box(icon, programName(), text, QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

} // namespace

QtDialogs::QtDialogs(QString startFolder) : startFolder_(std::move(startFolder))
{
}

void QtDialogs::message(const QString& text)
{
    notify(QMessageBox::NoIcon, text);
}

bool QtDialogs::confirm(const QString& text)
{
    ui::MessageBox box(QMessageBox::Information, QStringLiteral("情報"), text,
                       QMessageBox::Ok | QMessageBox::Cancel);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void QtDialogs::error(const QString& text)
{
    notify(QMessageBox::Critical, text);
}

std::optional<QString> QtDialogs::fileName(const QString& title, bool save)
{
    QString& last = save ? lastSaved_ : lastOpened_;
    QFileDialog dialog(nullptr, title);
    dialog.setNameFilter(QStringLiteral("テキストファイル (*.txt)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The chosen file need not exist: opening a new name starts a new file.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (save)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (last.isEmpty()) {
        dialog.setDirectory(startFolder_);
    } else {
        dialog.selectFile(last);
    }
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    last = dialog.selectedFiles().constFirst();
    return last;
}

std::optional<QString> QtDialogs::openFileName(const QString& title)
{
    return fileName(title, false);
}

std::optional<QString> QtDialogs::saveFileName(const QString& title)
{
    return fileName(title, true);
}

bool QtDialogs::execModal(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

std::optional<Dialogs::FileChoice> QtDialogs::chooseFile(const QString& title, const QStringList& filters,
                                                         bool save)
{
    QFileDialog dialog(nullptr, title);
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The caller asks before replacing a file, in its own words.
    if (save)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(lastOpened_.isEmpty() ? startFolder_ : QFileInfo(lastOpened_).absolutePath());
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileChoice{dialog.selectedFiles().constFirst(),
                      std::max<int>(0, int(filters.indexOf(dialog.selectedNameFilter())))};
}

bool QtDialogs::confirmList(const QString& text, const QStringList& items)
{
    return ui::confirmWithList(text, items);
}
