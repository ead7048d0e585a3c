#pragma once

#include "core/word_book.h"

#include <QObject>
#include <functional>
#include <vector>

class Dialogs;
class QPushButton;
class QTableWidget;
class QWidget;
class TOKBottomDlg;
class Trainer;

// Tab "登録一覧": the list grid and its change and delete commands. The
// controls are children of the tab control itself, not of a panel.
//
// The grid's heading row is its horizontal header, so it can never become
// the current cell: grid row r (from 0) shows rows()[r], the listing the
// core gave when the list was last drawn. The commands map the current row
// to its record through that listing, never through a cell's text.
class WordList : public QObject {
    Q_OBJECT
public:
    WordList(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, TOKBottomDlg& changeDialog);

    // The tab switch: heading "No.", hide the grid (set to fill its
    // parent), Button8 and Button9.
    void hideForTabSwitch();
    // Fills and shows the list; false (after the no-words message) when the
    // word file holds no record. A damaged record raises the conversion
    // failure with the list left hidden.
    bool prepare();

    // Changes one text field of the current cell's record.
    void Button8Click();
    // Deletes the current cell's record.
    void Button9Click();

    // The rows drawn last.
    const std::vector<ListRow>& rows() const { return rows_; }

    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;
    TOKBottomDlg& OKBottomDlg;

private:
    // Runs a command, then draws the list whatever came of it.
    void act(const std::function<void()>& handler);
    void change();
    void remove();
    // Draws the core's listing again after an action, whatever its outcome.
    void refresh();
    // Shows the rows in the grid in one batch, keeping the current cell
    // where the learner left it (on the new last row when its row is gone).
    void showRows(std::vector<ListRow> rows);
    // The listed row the current cell is in, or null.
    const ListRow* currentRow() const;
    void showNoWords();

    QWidget* tabControl_;
    Trainer& trainer_;
    Dialogs& dialogs_;
    std::vector<ListRow> rows_;
};
