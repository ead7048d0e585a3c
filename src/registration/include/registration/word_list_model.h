#pragma once

#include "core/word_book.h"

#include <QAbstractTableModel>
#include <optional>
#include <vector>

class Trainer;

// The word list as a table: one row per word the trainer lists, in the
// columns No., 単語, 意味, 品詞, 正解率, 例文, 例文意味, and after them 次の
// 復習日, when the review schedule asks the word again. The rows are the
// trainer's; the model only names them.
class WordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 8;

    explicit WordListModel(const Trainer& trainer, QObject* parent = nullptr);

    // The trainer's listing changed: every row is read again.
    void reload();

    // The record a row shows, or nothing.
    std::optional<int> recordAt(int row) const;
    // The record field a column shows, or 0 for the columns that cannot be
    // changed (No., 品詞, 正解率).
    static int fieldOf(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const std::vector<ListEntry>& rows() const;

    const Trainer& trainer_;
};
