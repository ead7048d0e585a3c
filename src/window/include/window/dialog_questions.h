#pragma once

#include "core/questions.h"

#include <functional>

class Dialogs;
class TOKBottomDlg;

// The trainer's questions put to the learner in the program's own message
// boxes and dialogs: its words as they stand, the learner's answers back.
class DialogQuestions : public TrainerQuestions {
public:
    // `changeDialog` gives the data change dialog, made when first needed.
    DialogQuestions(Dialogs& dialogs, std::function<TOKBottomDlg&()> changeDialog);

    void tell(const QString& text) override;
    void report(const QString& failure) override;
    bool confirm(const QString& text) override;
    std::optional<QString> chooseWordFile(const QString& title, bool save) override;
    std::optional<FileChoice> chooseFile(const QString& title, const QStringList& filters,
                                         bool save) override;
    bool confirmList(const QString& text, const QStringList& items) override;
    bool inBackground(const QString& text, const std::function<void(const Report&)>& work) override;
    std::optional<QString> newText(const FieldEdit& edit) override;

private:
    Dialogs& dialogs_;
    std::function<TOKBottomDlg&()> changeDialog_;
};
