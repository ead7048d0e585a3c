#pragma once

#include "ui/dialogs.h"

// The real message boxes and file dialogs, modal and centred on the screen.
class QtDialogs : public Dialogs {
public:
    // File dialogs first open in `startFolder`, later on the last file chosen.
    explicit QtDialogs(QString startFolder);

    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    void error(const QString& text) override;
    std::optional<QString> openFileName(const QString& title) override;
    std::optional<QString> saveFileName(const QString& title) override;
    bool execModal(QDialog& dialog) override;
    std::optional<FileChoice> chooseFile(const QString& title, const QStringList& filters,
                                         bool save) override;
    bool confirmList(const QString& text, const QStringList& items) override;
    // A worker thread and a QProgressDialog (background_job.cpp).
    bool runInBackground(const QString& label, const Job& job) override;

private:
    std::optional<QString> fileName(const QString& title, bool save);

    QString startFolder_;
    QString lastOpened_;
    QString lastSaved_;
};
