#include "registration/word_list.h"

#include "core/trainer.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/handler.h"

#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>

namespace {

constexpr int kNo = 0;

} // namespace

WordList::WordList(QWidget* tabControl, Trainer& trainer, Dialogs& dialogs)
    : QObject(tabControl), tabControl_(tabControl), trainer_(trainer), dialogs_(dialogs)
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

void WordList::showList()
{
    const std::array<const char*, ListRow::kColumns> headings{"No.",    "単語", "意味",    "品詞",
                                                              "正解率", "例文", "例文意味"};
    for (int c = 1; c < ListRow::kColumns; ++c)
        StringGrid1->horizontalHeaderItem(c)->setText(QString::fromUtf8(headings[static_cast<size_t>(c)]));
    showRows();
    const bool listed = trainer_.listing() != nullptr;
    if (listed)
        StringGrid1->setGeometry(4, 23, 490, 289);
    StringGrid1->setVisible(listed);
    Button8->setVisible(listed);
    Button9->setVisible(listed);
}

void WordList::draw(const Outcome& outcome)
{
    if (!outcome.list || outcome.tab)
        return;
    showRows();
    // A record that cannot be listed has come into view: nothing is shown.
    if (!trainer_.listing()) {
        StringGrid1->hide();
        Button8->hide();
        Button9->hide();
    }
}

void WordList::showRows()
{
    static const std::vector<ListRow> none;
    const std::vector<ListRow>& rows = trainer_.listing() ? *trainer_.listing() : none;
    const int keptRow = StringGrid1->currentRow();
    const int keptColumn = std::max(StringGrid1->currentColumn(), 0);
    const int count = static_cast<int>(rows.size());

    // One batch: no repaint and no signal per cell, so a full list of 1000
    // words appears at once.
    StringGrid1->setUpdatesEnabled(false);
    {
        const QSignalBlocker block(StringGrid1);
        StringGrid1->setRowCount(count);
        for (int r = 0; r < count; ++r) {
            const ListRow& row = rows[static_cast<size_t>(r)];
            for (int c = 0; c < ListRow::kColumns; ++c)
                ui::setCellText(StringGrid1, r, c, row.cells[static_cast<size_t>(c)]);
        }
        if (count > 0)
            StringGrid1->setCurrentCell(std::clamp(keptRow, 0, count - 1), keptColumn);
    }
    StringGrid1->setUpdatesEnabled(true);
}

std::optional<int> WordList::currentRecord() const
{
    const std::vector<ListRow>* rows = trainer_.listing();
    const int row = StringGrid1->currentRow();
    if (!rows || row < 0 || row >= static_cast<int>(rows->size()) || StringGrid1->currentColumn() < 0)
        return std::nullopt;
    return (*rows)[static_cast<size_t>(row)].record;
}

void WordList::perform(const std::function<Outcome()>& action)
{
    if (const auto outcome = attempt(dialogs_, action))
        emit acted(*outcome);
}

void WordList::Button8Click()
{
    const std::optional<int> record = currentRecord();
    const int field = WordBook::fieldOfColumn(StringGrid1->currentColumn());
    perform([&] { return trainer_.changeWord(record, field); });
}

void WordList::Button9Click()
{
    const std::optional<int> record = currentRecord();
    perform([&] { return trainer_.deleteWord(record); });
}
