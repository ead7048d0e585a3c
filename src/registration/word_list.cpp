#include "registration/word_list.h"

#include "core/trainer.h"
#include "registration/change_dialog.h"
#include "store/failure.h"
#include "store/record.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"
#include "ui/input_method.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>

namespace {

constexpr int kNo = 0;

QString noWordsText()
{
    return QStringLiteral("登録されている単語が一つもありません。\nまずは単語登録しましょう！");
}

} // namespace

WordList::WordList(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs, TOKBottomDlg& changeDialog)
    : QObject(tabControl), OKBottomDlg(changeDialog), tabControl_(tabControl), trainer_(trainer),
      dialogs_(dialogs)
{
    // 100 rows until the first listing: the heading row and 99 empty rows.
    StringGrid1 = ui::grid(tabControl, "StringGrid1", 99, {32, 69, 118, 66, 52, 313, 355});
    StringGrid1->setAccessibleName(QStringLiteral("登録単語の一覧"));
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QHeaderView* heading = StringGrid1->horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setSectionsClickable(false);
    heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < ListRow::kColumns; ++c)
        StringGrid1->setHorizontalHeaderItem(c, new QTableWidgetItem);
    StringGrid1->setCurrentCell(0, 0);

    Button8 = ui::button(tabControl, "Button8", QStringLiteral("変更...(&C)"), 32, 320, 75, 25);
    Button9 = ui::button(tabControl, "Button9", QStringLiteral("消去...(&D)"), 136, 320, 75, 25);
    QWidget::setTabOrder(StringGrid1, Button8);
    QWidget::setTabOrder(Button8, Button9);

    connect(Button8, &QPushButton::clicked, this, &WordList::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &WordList::Button9Click);
}

void WordList::hideForTabSwitch()
{
    StringGrid1->horizontalHeaderItem(kNo)->setText(QStringLiteral("No."));
    StringGrid1->hide();
    StringGrid1->setGeometry(tabControl_->rect());
    Button8->hide();
    Button9->hide();
}

bool WordList::prepare()
{
    const std::array<const char*, ListRow::kColumns> headings{"No.",    "単語", "意味",    "品詞",
                                                              "正解率", "例文", "例文意味"};
    for (int c = 1; c < ListRow::kColumns; ++c)
        StringGrid1->horizontalHeaderItem(c)->setText(QString::fromUtf8(headings[static_cast<size_t>(c)]));

    std::vector<ListRow> rows = trainer_.book().listing();
    if (rows.empty()) {
        showNoWords();
        StringGrid1->hide();
        return false;
    }
    showRows(std::move(rows));
    StringGrid1->setGeometry(4, 23, 490, 289);
    StringGrid1->show();
    Button8->show();
    Button9->show();
    return true;
}

void WordList::refresh()
{
    if (StringGrid1->isHidden())
        return;
    try {
        showRows(trainer_.book().listing());
    } catch (const Failure&) {
        // A record that cannot be listed has come into view: nothing else is
        // drawn, so no row stands for a record it does not show.
        showRows({});
        StringGrid1->hide();
        Button8->hide();
        Button9->hide();
        throw;
    }
}

void WordList::showRows(std::vector<ListRow> rows)
{
    const int keptRow = StringGrid1->currentRow();
    const int keptColumn = std::max(StringGrid1->currentColumn(), 0);
    rows_ = std::move(rows);
    const int count = static_cast<int>(rows_.size());

    // One batch: no repaint and no signal per cell, so a full list of 1000
    // words appears at once.
    StringGrid1->setUpdatesEnabled(false);
    {
        const QSignalBlocker block(StringGrid1);
        StringGrid1->setRowCount(count);
        for (int r = 0; r < count; ++r) {
            const ListRow& row = rows_[static_cast<size_t>(r)];
            for (int c = 0; c < ListRow::kColumns; ++c)
                ui::setCellText(StringGrid1, r, c, row.cells[static_cast<size_t>(c)]);
        }
        if (count > 0)
            StringGrid1->setCurrentCell(std::clamp(keptRow, 0, count - 1), keptColumn);
    }
    StringGrid1->setUpdatesEnabled(true);
}

const ListRow* WordList::currentRow() const
{
    const int row = StringGrid1->currentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size()) || StringGrid1->currentColumn() < 0)
        return nullptr;
    return &rows_[static_cast<size_t>(row)];
}

void WordList::showNoWords()
{
    dialogs_.message(noWordsText());
}

void WordList::act(const std::function<void()>& handler)
{
    runHandler(dialogs_, handler);
    runHandler(dialogs_, [this] { refresh(); });
}

void WordList::Button8Click()
{
    act([this] { change(); });
}

void WordList::change()
{
    if (rows_.empty()) {
        showNoWords();
        return;
    }
    const ListRow* row = currentRow();
    if (!row)
        return;
    const int column = StringGrid1->currentColumn();
    const int field = WordBook::fieldOfColumn(column);
    if (field == 0) {
        dialogs_.message(QStringLiteral("そのデータを変更することはできません。"));
        return;
    }

    TOKBottomDlg& dialog = OKBottomDlg;
    dialog.past_Edit->setText(row->cells[static_cast<size_t>(column)]);
    dialog.new_Edit->clear();
    // The new text is typed in the language of the field it replaces.
    if (field == kWord || field == kExample)
        useEnglishInput(dialog.new_Edit);
    else
        useJapaneseInput(dialog.new_Edit);
    dialog.new_Edit->setFocus();
    if (!dialogs_.execModal(dialog))
        return;
    const QString text = dialog.new_Edit->text();
    if (text.isEmpty())
        return;
    const QString refusal = trainer_.changeField(row->record, field, text);
    if (!refusal.isEmpty())
        dialogs_.message(refusal);
}

void WordList::Button9Click()
{
    act([this] { remove(); });
}

void WordList::remove()
{
    if (rows_.empty()) {
        showNoWords();
        return;
    }
    const ListRow* row = currentRow();
    if (!row)
        return;
    const int record = row->record;
    if (!dialogs_.confirm(QStringLiteral("選択単語データを消去します。よろしいですか？")))
        return;
    trainer_.deleteRecord(record);
}
