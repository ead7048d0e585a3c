#include "registration/word_list.h"

#include "assist/speak_control.h"
#include "core/trainer.h"
#include "registration/word_list_model.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

WordList::WordList(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, assist::Assistants assistants)
    : QObject(tabControl), tabControl_(tabControl), trainer_(trainer), dialogs_(dialogs),
      model_(new WordListModel(trainer, this))
{
    StringGrid1 = new QTableView(tabControl);
    StringGrid1->setModel(model_);
    ui::setUpGrid(StringGrid1, "StringGrid1", {32, 69, 118, 66, 52, 313, 355, 80});
    StringGrid1->setAccessibleName(QStringLiteral("登録単語の一覧"));
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QHeaderView* heading = StringGrid1->horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setSectionsClickable(false);
    heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Button8 = ui::button(tabControl, "Button8", QStringLiteral("変更...(&C)"), 32, 320, 75, 25);
    Button9 = ui::button(tabControl, "Button9", QStringLiteral("消去...(&D)"), 136, 320, 75, 25);
    // Right of 消去, in space no control uses.
    SpeakWord = ui::button(tabControl, "SpeakWordList", QStringLiteral("単語を聞く"), 240, 320, 75, 25);
    SpeakWord->setAccessibleName(QStringLiteral("選んだ単語の発音を聞く"));
    QWidget::setTabOrder(StringGrid1, Button8);
    QWidget::setTabOrder(Button8, Button9);
    QWidget::setTabOrder(Button9, SpeakWord);
    wordVoice_ = new assist::SpeakControl(SpeakWord, assistants.speaker, [this] { return currentWord(); });
    // The list's controls lie on the tab control itself, beside the other
    // tabs' panels: F5 works from each of them.
    for (QWidget* scope : std::initializer_list<QWidget*>{StringGrid1, Button8, Button9, SpeakWord})
        wordVoice_->addShortcut(scope);
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, wordVoice_,
            &assist::SpeakControl::refresh);

    connect(Button8, &QPushButton::clicked, this, &WordList::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &WordList::Button9Click);
}

void WordList::hideForTabSwitch()
{
    StringGrid1->hide();
    StringGrid1->setGeometry(tabControl_->rect());
    showButtons(false);
}

void WordList::showButtons(bool shown)
{
    Button8->setVisible(shown);
    Button9->setVisible(shown);
    SpeakWord->setVisible(shown);
}

void WordList::showList()
{
    showRows();
    const bool listed = trainer_.listing() != nullptr;
    if (listed)
        StringGrid1->setGeometry(4, 23, 490, 289);
    StringGrid1->setVisible(listed);
    showButtons(listed);
}

void WordList::draw(const Outcome& outcome)
{
    if (!outcome.list || outcome.tab)
        return;
    showRows();
    // A record that cannot be listed has come into view: nothing is shown.
    if (!trainer_.listing()) {
        StringGrid1->hide();
        showButtons(false);
    }
}

void WordList::showRows()
{
    // The current cell is the learner's: it stays where they left it, and
    // on the new last row when its row is gone. It is column 0 of row 1 at
    // first.
    const QModelIndex kept = StringGrid1->currentIndex();
    const int keptRow = kept.isValid() ? kept.row() : 0;
    const int keptColumn = kept.isValid() ? kept.column() : 0;
    model_->reload();
    const int count = model_->rowCount();
    if (count > 0)
        StringGrid1->setCurrentIndex(model_->index(std::clamp(keptRow, 0, count - 1), keptColumn));
    wordVoice_->refresh();
}

QString WordList::currentWord() const
{
    // Column 1 is the word, as the trainer lists it.
    const QModelIndex current = StringGrid1->currentIndex();
    return current.isValid() ? model_->index(current.row(), 1).data().toString() : QString();
}

std::optional<int> WordList::currentRecord() const
{
    const QModelIndex current = StringGrid1->currentIndex();
    return current.isValid() ? model_->recordAt(current.row()) : std::nullopt;
}

void WordList::perform(const std::function<Outcome()>& action)
{
    if (const auto outcome = attempt(dialogs_, action))
        emit acted(*outcome);
}

void WordList::Button8Click()
{
    const std::optional<int> record = currentRecord();
    const int field = WordListModel::fieldOf(StringGrid1->currentIndex().column());
    perform([&] { return trainer_.changeWord(record, field); });
}

void WordList::Button9Click()
{
    const std::optional<int> record = currentRecord();
    perform([&] { return trainer_.deleteWord(record); });
}
