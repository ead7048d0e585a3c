// The review history and the schedule the trainer keeps beside the word
// file: opened late, written inside each answer's transaction, never in the
// way of a count the word file holds.

#include "core/trainer.h"

#include "review/word_memory.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace {

// The history's copy beside a backup copy of the word file: its name with
// ".history.sqlite" for ".txt".
QString historyCopyOf(const QString& wordFileCopy)
{
    QString name = wordFileCopy;
    if (name.endsWith(QLatin1String(".txt")))
        name.chop(4);
    return name + QStringLiteral(".history.sqlite");
}

QString localDate(qint64 time, const char* format)
{
    return QDateTime::fromSecsSinceEpoch(time).toLocalTime().toString(QString::fromLatin1(format));
}

} // namespace

history::History* Trainer::history()
{
    // Without a data folder of its own the history would land wherever the
    // program was started from, like a word file named by a relative path.
    if (!dataFolderUsable_ || dataFolder_.isEmpty())
        return nullptr;
    if (!history_)
        history_ = std::make_unique<history::History>(
            QDir(dataFolder_).filePath(QLatin1String(history::kFileName)), historySettings_);
    return history_.get();
}

history::History* Trainer::keptHistory()
{
    history::History* h = history();
    return h && (h->isOpen() || QFileInfo::exists(h->file())) ? h : nullptr;
}

QString Trainer::historyKey()
{
    // Every answer asks: the key is worked out once for each word file, as
    // it looks at the file system for links.
    const QString& file = state_.book.path.file();
    if (historyKeyOf_ != file || historyKey_.isEmpty()) {
        historyKey_ = history::wordFileKey(dataFolder_, file);
        historyKeyOf_ = file;
    }
    return historyKey_;
}

const review::Schedule& Trainer::schedule()
{
    if (schedule_)
        return *schedule_;
    std::vector<history::WordReviews> reviews;
    if (history::History* h = history(); h && !state_.book.path.isEmpty()) {
        // A history that cannot be read leaves each word to its counts.
        if (auto read = h->reviewsOf(historyKey()))
            reviews = std::move(*read);
    }
    schedule_.emplace(review::recordsOf(state_.book.store), reviews);
    return *schedule_;
}

void Trainer::tellHistoryNotice()
{
    if (!history_)
        return;
    if (const std::optional<history::Error> notice = history_->takeNotice())
        report(notice->message());
}

void Trainer::backUpHistory(const QString& wordFileCopy)
{
    history::History* h = history();
    if (!h || wordFileCopy.isEmpty())
        return;
    // A copy that cannot be made leaves the backup of the word file as it
    // is: the history is never a reason to refuse a change.
    h->copyInBackground(historyCopyOf(wordFileCopy));
    // The history's copies go with their word file's copies as those are
    // pruned.
    const QDir folder = QFileInfo(wordFileCopy).dir();
    const QString suffix = QStringLiteral(".history.sqlite");
    for (const QString& name : folder.entryList({QLatin1Char('*') + suffix}, QDir::Files)) {
        const QString copy = name.chopped(suffix.size()) + QStringLiteral(".txt");
        if (!folder.exists(copy))
            QFile::remove(folder.filePath(name));
    }
}

void Trainer::recordAnswer(history::Change* change, const Answered& answered)
{
    if (!change)
        return;
    history::Answer answer;
    answer.time = answered.time;
    answer.word = answered.word;
    answer.place = answered.place;
    answer.right = answered.right;
    answer.hint = answered.hint;
    answer.seconds = askedAt_ > 0
        ? int(std::clamp<qint64>(answered.time - askedAt_, 0, std::numeric_limits<int>::max()))
        : -1;
    change->answer(historyKey(), answer);
}

void Trainer::scheduleAnswer(const Answered& answered)
{
    if (schedule_)
        schedule_->answered(answered.word, answered.time, answered.right, answered.hint);
}

void Trainer::datesOf(std::vector<ListEntry>& rows)
{
    const review::Schedule& plan = schedule();
    const qint64 time = now();
    const QDate today = QDateTime::fromSecsSinceEpoch(time).toLocalTime().date();
    for (ListEntry& row : rows) {
        if (row.record >= plan.size())
            continue;
        const std::optional<qint64> due = plan.dueOf(row.record);
        if (!due)
            row.nextReview.clear();
        // A word due by the end of today is today's, however long overdue
        // (a word answered before the history was kept has no date).
        else if (*due <= time || QDateTime::fromSecsSinceEpoch(*due).toLocalTime().date() <= today)
            row.nextReview = QStringLiteral("今日");
        else
            row.nextReview = localDate(*due, "yyyy/MM/dd");
    }
}

QString Trainer::nothingDue()
{
    const qint64 time = now();
    // Due words the question kind turns away (no example sentence): the
    // quiz found no word, as under any filter.
    if (!schedule().duePool(time).empty())
        return QStringLiteral(
            "出題モードに該当した単語が一つもありませんでした。\nオプションで設定し直してください。");
    const std::optional<qint64> next = schedule().nextDue(time);
    if (!next)
        return QStringLiteral("復習が必要な単語はありません。まだ一度も回答した単語がありません。\n"
                              "オプションで設定し直してください。");
    return QStringLiteral("復習が必要な単語は今はありません。次の単語は %1 に復習の時期になります。\n"
                          "オプションで設定し直してください。")
        .arg(localDate(*next, "yyyy/MM/dd HH:mm"));
}
