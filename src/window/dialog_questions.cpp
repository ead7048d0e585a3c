#include "window/dialog_questions.h"

#include "registration/change_dialog.h"
#include "ui/dialogs.h"
#include "ui/handler.h"
#include "ui/input_method.h"

#include <QLineEdit>

DialogQuestions::DialogQuestions(Dialogs& dialogs, std::function<TOKBottomDlg&()> changeDialog)
    : dialogs_(dialogs), changeDialog_(std::move(changeDialog))
{
}

void DialogQuestions::tell(const QString& text)
{
    dialogs_.message(text);
}

void DialogQuestions::report(const QString& failure)
{
    showFailure(dialogs_, failure);
}

bool DialogQuestions::confirm(const QString& text)
{
    return dialogs_.confirm(text);
}

std::optional<QString> DialogQuestions::chooseWordFile(const QString& title, bool save)
{
    return save ? dialogs_.saveFileName(title) : dialogs_.openFileName(title);
}

std::optional<TrainerQuestions::FileChoice> DialogQuestions::chooseFile(const QString& title,
                                                                        const QStringList& filters, bool save)
{
    const std::optional<Dialogs::FileChoice> chosen = dialogs_.chooseFile(title, filters, save);
    if (!chosen)
        return std::nullopt;
    return FileChoice{chosen->path, chosen->filter};
}

std::optional<QString> DialogQuestions::newText(const QString& old, bool japanese)
{
    TOKBottomDlg& dialog = changeDialog_();
    dialog.past_Edit->setText(old);
    dialog.new_Edit->clear();
    // The new text is typed in the language of the field it replaces.
    if (japanese)
        useJapaneseInput(dialog.new_Edit);
    else
        useEnglishInput(dialog.new_Edit);
    dialog.new_Edit->setFocus();
    if (!dialogs_.execModal(dialog))
        return std::nullopt;
    return dialog.new_Edit->text();
}
