#pragma once

#include "core/outcome.h"
#include "core/word_book.h"

#include <QObject>
#include <functional>
#include <optional>
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
// the current cell: grid row r (from 0) shows the trainer's listing row r.
// The commands map the current row to its record through that listing,
// never through a cell's text.
class WordList : public QObject {
    Q_OBJECT
public:
    WordList(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs);

    // The tab switch: heading "No.", hide the grid (set to fill its
    // parent), Button8 and Button9.
    void hideForTabSwitch();
    // Shows the trainer's listing at the list bounds with its buttons, or
    // nothing when it lists nothing (a damaged record).
    void showList();
    // What an action changed in the list.
    void draw(const Outcome& outcome);

    // Changes one text field of the current cell's record.
    void Button8Click();
    // Deletes the current cell's record.
    void Button9Click();

    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;

signals:
    // An action of the list ran: what it changed, for the window to draw.
    void acted(const Outcome& outcome);

private:
    void perform(const std::function<Outcome()>& action);
    // Shows the listing in the grid in one batch, keeping the current cell
    // where the learner left it (on the new last row when its row is gone).
    void showRows();
    // The record of the current cell's row, if it is one.
    std::optional<int> currentRecord() const;

    QWidget* tabControl_;
    Trainer& trainer_;
    Dialogs& dialogs_;
};
