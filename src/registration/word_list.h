#pragma once

#include <QObject>

struct AppState;
class Dialogs;
class TOKBottomDlg;
class QPushButton;
class QTableWidget;

// Tab "登録一覧": the list grid and its change and delete commands. The
// controls are children of the tab control itself, not of a panel.
class WordList : public QObject {
    Q_OBJECT
public:
    WordList(QWidget* tabControl, AppState& state, Dialogs& dialogs);

    // The dialog exists from start to end; it is made after the window.
    void setChangeDialog(TOKBottomDlg* dialog) { OKBottomDlg = dialog; }

    // The tab switch: cell (0, 0) := "No.", hide the grid (set to fill its
    // parent), Button8 and Button9.
    void hideForTabSwitch();
    // Fills and shows the list; false (after the no-words message) when the
    // store holds no record.
    bool prepare();

    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;
    TOKBottomDlg* OKBottomDlg = nullptr;

private:
    QWidget* tabControl_;
    AppState& state_;
    Dialogs& dialogs_;
};
