#include "window/dialog_questions.h"

#include "registration/change_dialog.h"
#include "ui/dialogs.h"
#include "ui/handler.h"

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

bool DialogQuestions::confirmList(const QString& text, const QStringList& items)
{
    return dialogs_.confirmList(text, items);
}

bool DialogQuestions::inBackground(const QString& text, const std::function<void(const Report&)>& work)
{
    return dialogs_.runInBackground(text, work);
}

std::optional<QString> DialogQuestions::newText(const FieldEdit& edit)
{
    TOKBottomDlg& dialog = changeDialog_();
    dialog.prepare(edit);
    if (!dialogs_.execModal(dialog))
        return std::nullopt;
    return dialog.newText();
}
