#pragma once

#include "assist/assistants.h"
#include "core/outcome.h"

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

class Dialogs;
class QPushButton;
class QTableView;
class QWidget;
class Trainer;
class WordListModel;

namespace assist {
class SpeakControl;
}

// Tab "登録一覧": the list grid and its change and delete commands. The
// controls are children of the tab control itself, not of a panel.
//
// The grid is a view of the trainer's listing (WordListModel). Its heading
// row is the view's header, so it can never become the current cell. The
// commands map the current row to its record through the model, never
// through a cell's text. The word of the current row can be heard (its
// button right of 消去, F5).
class WordList : public QObject {
    Q_OBJECT
public:
    WordList(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, assist::Assistants assistants);

    // The tab switch: hide the grid (set to fill its parent), Button8 and
    // Button9.
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
    // The word of the current row, or empty.
    QString currentWord() const;
    void showButtons(bool shown);

    QTableView* StringGrid1 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* SpeakWord = nullptr;
    assist::SpeakControl* wordVoice_ = nullptr;
    QWidget* tabControl_;
    Trainer& trainer_;
    Dialogs& dialogs_;
    WordListModel* model_;
};
