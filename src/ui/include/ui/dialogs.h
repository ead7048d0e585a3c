#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;

// Every message box, file dialog and modal dialog of the program goes
// through this interface, so the tests can play the user's part.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Plain message: no icon, one OK button, titled with the program's name.
    virtual void message(const QString& text) = 0;
    // Confirmation titled "情報" with an information icon, OK and キャンセル.
    // True only for OK.
    virtual bool confirm(const QString& text) = 0;
    // Error box: error icon, one OK button.
    virtual void error(const QString& text) = 0;
    // File dialogs with the filter "テキストファイル (*.txt)"; nullopt when
    // cancelled. The chosen file need not exist.
    virtual std::optional<QString> openFileName(const QString& title) = 0;
    virtual std::optional<QString> saveFileName(const QString& title) = 0;
    // Shows the dialog modally; true when it was closed with OK.
    virtual bool execModal(QDialog& dialog) = 0;

    // A file dialog offering `filters` ("CSV ファイル (*.csv)"); the file
    // chosen and the index of the filter it was chosen under, or nullopt
    // when cancelled. A save dialog asks nothing of an existing file.
    struct FileChoice {
        QString path;
        int filter = 0;
    };
    virtual std::optional<FileChoice> chooseFile(const QString& title, const QStringList& filters,
                                                 bool save) = 0;
    // A confirmation like confirm() with a list under its text the learner
    // can scroll through, for lists too long for a message box.
    virtual bool confirmList(const QString& text, const QStringList& items) = 0;

    // Work too long for the GUI thread (reading a large file): `job` runs on
    // a thread of its own while a progress dialog shows `label`, how far
    // the job has come and キャンセル, and the windows take no input. The
    // job tells how far it has come through the function it is given, whose
    // answer turns false once the learner cancelled; the job then stops as
    // soon as it can. The job touches no widget and no state the windows
    // use. True when the job ran to its end; false when it was cancelled. A
    // failure the job raises is raised here, on the caller's thread.
    using Report = std::function<bool(qint64 done, qint64 total)>;
    using Job = std::function<void(const Report& report)>;
    virtual bool runInBackground(const QString& label, const Job& job) = 0;
};

// The program's name, the title of plain and error boxes.
QString programName();
