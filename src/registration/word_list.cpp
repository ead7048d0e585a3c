#include "registration/word_list.h"

#include "field_text.h"
#include "registration/change_dialog.h"
#include "store/app_state.h"
#include "store/codec.h"
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

namespace {

constexpr int kNo = 0, kPart = 3, kRate = 4;

// The record field shown in each column; 0 for the columns that are not
// record text and cannot be changed.
constexpr std::array<int, WordList::kColumns> kFieldOfColumn{0, kWord, kMean, 0, 0, kExample, kExampleMean};

const QString kEmptyText;

QString noWordsText()
{
    return QStringLiteral("登録されている単語が一つもありません。\nまずは単語登録しましょう！");
}

} // namespace

WordList::WordList(QWidget* tabControl, AppState& state, Dialogs& dialogs)
    : QObject(tabControl), tabControl_(tabControl), state_(state), dialogs_(dialogs), cells_(kMaxRows)
{
    // 100 rows until the first listing: the heading row and 99 empty rows.
    StringGrid1 = ui::grid(tabControl, "StringGrid1", 99, {32, 69, 118, 66, 52, 313, 355});
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QHeaderView* heading = StringGrid1->horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setSectionsClickable(false);
    heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < kColumns; ++c)
        StringGrid1->setHorizontalHeaderItem(c, new QTableWidgetItem);
    StringGrid1->setCurrentCell(0, 0);

    Button8 = ui::button(tabControl, "Button8", QStringLiteral("変更...(&C)"), 32, 320, 75, 25);
    Button9 = ui::button(tabControl, "Button9", QStringLiteral("消去...(&D)"), 136, 320, 75, 25);
    QWidget::setTabOrder(StringGrid1, Button8);
    QWidget::setTabOrder(Button8, Button9);

    connect(Button8, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { Button8Click(); }); });
    connect(Button9, &QPushButton::clicked, this,
            [this] { runHandler(dialogs_, [this] { Button9Click(); }); });
}

const QString& WordList::cellText(int row, int column) const
{
    if (row < 0 || row >= kMaxRows || column < 0 || column >= kColumns)
        return kEmptyText;
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(column)];
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
    const std::array<const char*, kColumns> headings{"No.",    "単語", "意味",    "品詞",
                                                     "正解率", "例文", "例文意味"};
    for (int c = 1; c < kColumns; ++c)
        StringGrid1->horizontalHeaderItem(c)->setText(QString::fromUtf8(headings[static_cast<size_t>(c)]));

    clearRows();
    const int listed = fillRows();
    if (listed == 0) {
        showNoWords();
        StringGrid1->hide();
        return false;
    }
    showRows(listed);
    StringGrid1->setGeometry(4, 23, 490, 289);
    StringGrid1->show();
    Button8->show();
    Button9->show();
    return true;
}

void WordList::clearRows()
{
    for (Row& row : cells_)
        row.fill(QString());
}

int WordList::fillRows()
{
    const LineStore& store = state_.Memo1;
    int r = 0;
    for (; r < kMaxRows; ++r) {
        const QByteArray& line = store.ReadLine(r);
        if (line.isEmpty())
            break;
        Row& row = cells_[static_cast<size_t>(r)];
        row[kNo] = QString::number(r + 1);
        for (int c = 0; c < kColumns; ++c) {
            if (kFieldOfColumn[static_cast<size_t>(c)] != 0)
                row[static_cast<size_t>(c)] =
                    cp932::decode(ReadField(line, kFieldOfColumn[static_cast<size_t>(c)]));
        }
        const int asked = StrToInt(ReadField(line, kAsked));
        const int correct = StrToInt(ReadField(line, kCorrect));
        const int part = StrToInt(ReadField(line, kParts));
        row[kPart] = PartName(part);
        row[kRate] = QString::fromLatin1(AccuracyText(asked, correct));
    }
    return r;
}

void WordList::showRows(int rows)
{
    // One batch: no repaint and no signal per cell, so a full list of 1000
    // words appears at once.
    StringGrid1->setUpdatesEnabled(false);
    {
        const QSignalBlocker block(StringGrid1);
        StringGrid1->setRowCount(rows);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < kColumns; ++c)
                ui::setCellText(StringGrid1, r, c, cells_[static_cast<size_t>(r)][static_cast<size_t>(c)]);
        }
        // A grid that had no rows has no current cell; start again at the
        // first record, as at program start.
        if (rows > 0 && StringGrid1->currentRow() < 0)
            StringGrid1->setCurrentCell(0, 0);
    }
    StringGrid1->setUpdatesEnabled(true);
}

bool WordList::holdsRecord(int row) const
{
    // Rows left empty behind a damaged record show no record: acting on
    // them would change store lines the learner cannot see.
    return row >= 0 && row < StringGrid1->rowCount() && !cellText(row, kNo).isEmpty();
}

void WordList::showNoWords()
{
    dialogs_.message(noWordsText());
}

void WordList::Button8Click()
{
    if (StringGrid1->rowCount() == 0) {
        showNoWords();
        return;
    }
    const int row = StringGrid1->currentRow();
    const int column = StringGrid1->currentColumn();
    if (column < 0 || !holdsRecord(row))
        return;
    const int field = kFieldOfColumn[static_cast<size_t>(column)];
    if (field == 0) {
        dialogs_.message(QStringLiteral("そのデータを変更することはできません。"));
        return;
    }

    TOKBottomDlg& dialog = *OKBottomDlg;
    dialog.past_Edit->setText(cellText(row, column));
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
    const auto bytes = fieldBytes(text, dialogs_);
    if (!bytes)
        return;

    // The cell shows what the word file now holds.
    QString& cell = cells_[static_cast<size_t>(row)][static_cast<size_t>(column)];
    cell = cp932::decode(*bytes);
    ui::setCellText(StringGrid1, row, column, cell);

    // Fields 1 to 7, each followed by a comma, with the one field replaced.
    QByteArray record;
    for (int k = kWord; k <= kCorrect; ++k)
        record += (k == field ? *bytes : ReadField(state_.Memo1, row, k)) + ',';
    state_.Memo1.WriteLine(row, record);
    state_.save();
}

void WordList::Button9Click()
{
    if (StringGrid1->rowCount() == 0) {
        showNoWords();
        return;
    }
    const int row = StringGrid1->currentRow();
    if (!holdsRecord(row))
        return;
    if (!dialogs_.confirm(QStringLiteral("選択単語データを消去します。よろしいですか？")))
        return;

    state_.Memo1.DeleteLine(row);
    clearRows();
    int listed = 0;
    try {
        listed = fillRows();
    } catch (...) {
        // A damaged record stops the refill: show the rows filled so far
        // under the old row count, and leave the word file as it was.
        showRows(StringGrid1->rowCount());
        throw;
    }
    state_.save();
    // One row fewer, unless a record beyond the list's 1000 rows has moved
    // up into view.
    showRows(listed);
}
