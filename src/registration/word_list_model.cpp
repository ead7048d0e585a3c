#include "registration/word_list_model.h"

#include "core/display_text.h"
#include "core/trainer.h"
#include "store/record.h"

#include <array>

WordListModel::WordListModel(const Trainer& trainer, QObject* parent)
    : QAbstractTableModel(parent), trainer_(trainer)
{
}

const std::vector<ListEntry>& WordListModel::rows() const
{
    static const std::vector<ListEntry> none;
    return trainer_.listing() ? *trainer_.listing() : none;
}

void WordListModel::reload()
{
    beginResetModel();
    endResetModel();
}

std::optional<int> WordListModel::recordAt(int row) const
{
    if (row < 0 || row >= int(rows().size()))
        return std::nullopt;
    return rows()[static_cast<size_t>(row)].record;
}

int WordListModel::fieldOf(int column)
{
    static constexpr std::array<int, kColumns> fields{0, kWord, kMean, 0, 0, kExample, kExampleMean, 0};
    return column >= 0 && column < kColumns ? fields[static_cast<size_t>(column)] : 0;
}

int WordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows().size());
}

int WordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant WordListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(rows().size()))
        return {};
    const ListEntry& entry = rows()[static_cast<size_t>(index.row())];
    switch (index.column()) {
    case 0: return QString::number(index.row() + 1);
    case 1: return entry.word;
    case 2: return entry.mean;
    case 3: return PartName(entry.part);
    case 4: return AccuracyText(entry.asked, entry.correct);
    case 5: return entry.example;
    case 6: return entry.exampleMean;
    case 7: return entry.nextReview;
    default: return {};
    }
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const std::array<const char*, kColumns> headings{"No.",    "単語", "意味",     "品詞",
                                                            "正解率", "例文", "例文意味", "次の復習日"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return {};
    return QString::fromUtf8(headings[static_cast<size_t>(section)]);
}

Qt::ItemFlags WordListModel::flags(const QModelIndex& index) const
{
    // Cells are read, never typed into.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
