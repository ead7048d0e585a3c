#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <vector>

struct AppState;
class Dialogs;
class TOKBottomDlg;
class QPushButton;
class QTableWidget;

// Tab "登録一覧": the list grid and its change and delete commands. The
// controls are children of the tab control itself, not of a panel.
//
// The grid's heading row is its horizontal header, so it can never become
// the current cell: grid row r (from 0) shows the record at store index r.
// Cell texts are kept here apart from the grid's row count, for all 1000
// rows the list can hold; the grid shows the first rowCount of them.
class WordList : public QObject {
    Q_OBJECT
public:
    static constexpr int kColumns = 7;
    static constexpr int kMaxRows = 1000;

    WordList(QWidget* tabControl, AppState& state, Dialogs& dialogs);

    // The dialog exists from start to end; it is made after the window.
    void setChangeDialog(TOKBottomDlg* dialog) { OKBottomDlg = dialog; }

    // The tab switch: heading "No.", hide the grid (set to fill its
    // parent), Button8 and Button9.
    void hideForTabSwitch();
    // Fills and shows the list; false (after the no-words message) when the
    // store holds no record.
    bool prepare();

    // Changes one text field of the current cell's record.
    void Button8Click();
    // Deletes the current cell's record.
    void Button9Click();

    // The text held for a record row and column, shown or not.
    const QString& cellText(int row, int column) const;

    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;
    TOKBottomDlg* OKBottomDlg = nullptr;

private:
    using Row = std::array<QString, kColumns>;

    void clearRows();
    // Fills the rows from the store up to its first empty line; returns the
    // number of records listed. A damaged record raises the conversion
    // failure with the rows before it filled.
    int fillRows();
    // Shows the first `rows` held rows in the grid, in one batch.
    void showRows(int rows);
    // True when the grid row shows a record, so the commands may act on it.
    bool holdsRecord(int row) const;
    void showNoWords();

    QWidget* tabControl_;
    AppState& state_;
    Dialogs& dialogs_;
    std::vector<Row> cells_;
};
