// The start, the tab switch and the word list's commands: what the window
// shows after each, and when it falls back to another tab.

#include "core/trainer.h"

#include "core/conflict.h"
#include "store/codec.h"
#include "store/failure.h"
#include "store/limits.h"
#include "store/record.h"

#include <QFileInfo>

namespace {

const QString kNoWords = QStringLiteral("登録されている単語が一つもありません。\nまずは単語登録しましょう！");

// Whether a visible record is spelt `word`.
bool spelledBy(const WordBook& book, const QByteArray& word)
{
    for (int r = 0; r < kMaxRecords; ++r) {
        const QByteArray& line = book.store.ReadLine(r);
        if (line.isEmpty())
            break;
        if (ReadField(line, kWord) == word)
            return true;
    }
    return false;
}

} // namespace

Outcome Trainer::start()
{
    Outcome outcome;
    outcome.currentFile = outcome.defaultFile = outcome.words = true;
    bool created = false;
    if (!QFileInfo::exists(prefsFile_)) {
        // A preferences file that cannot be written is reported, and the
        // program goes on with the default word file all the same.
        try {
            createPreferences();
            created = true;
        } catch (const Failure& failure) {
            report(failure.text());
        }
    }
    // One that cannot be read is reported; the default is the usual one.
    try {
        readDefaultWordFile();
    } catch (const Failure& failure) {
        report(failure.text());
    }
    // The word file is made current, and so locked, before the first
    // message waits for the learner: a second start meanwhile finds this
    // copy holding it.
    std::optional<QString> failure;
    try {
        makeCurrent(defaultWordFile_, true);
    } catch (const FileInUse&) {
        Outcome handOver;
        handOver.handOver = true;
        return handOver;
    } catch (const Failure& opening) {
        failure = opening.text();
    }
    if (created)
        tell(QStringLiteral("初期設定ファイル plimopref.ini\nが見つからなかったので新たに作成しました。"));
    // Without a word file the panels stay as they were laid out.
    if (failure) {
        report(*failure);
        return outcome;
    }
    outcome += switchTab(Tab::Registration);
    return outcome;
}

Outcome Trainer::switchTab(Tab chosen)
{
    if (busy_)
        return {};
    state_.rng.Randomize();
    Outcome outcome;
    if (state_.exam.running()) {
        // Asked outside any transaction: the countdown goes on meanwhile.
        if (!confirm(QStringLiteral("テスト中です。中断しますか？"))) {
            outcome.tab = Tab::Test;
            return outcome;
        }
        state_.exam.abandon();
        heldTicks_ = 0;
        outcome.exam = true;
    }
    outcome += prepare(chosen);
    return outcome;
}

Outcome Trainer::prepare(Tab tab)
{
    Outcome outcome;
    outcome.tab = tab_ = tab;
    switch (tab) {
    case Tab::Quiz: {
        outcome.quiz = true;
        bool asked = false;
        const bool due = options_.filter == QuizFilter::Due;
        try {
            // The schedule is built before the transaction: reading the
            // history is no part of what a failure puts back.
            const std::vector<int> pool = due ? schedule().duePool(now()) : std::vector<int>{};
            outcome += transact([&](State& s, Outcome& o) {
                asked = s.quiz.start(s.book, s.order, options_, s.rng, pool);
                o.newQuestion = asked;
            });
        } catch (const Failure& failure) {
            // The panel is shown without a question.
            report(failure.text());
            return outcome;
        }
        if (asked)
            askedAt_ = now();
        if (due)
            tellHistoryNotice();
        if (!asked) {
            tell(due ? nothingDue()
                     : QStringLiteral("出題モードに該当した単語が一つもありませんでした。\n"
                                      "オプションで設定し直してください。"));
            outcome.tab = tab_ = Tab::Options;
            outcome.currentFile = outcome.defaultFile = true;
        }
        break;
    }
    case Tab::Test:
        state_.exam.toStart();
        outcome.exam = true;
        break;
    case Tab::List: {
        outcome.list = true;
        state_.listing.reset();
        std::vector<ListEntry> rows;
        try {
            rows = state_.book.listing();
        } catch (const Failure& failure) {
            // A damaged record: the tab shows an empty page.
            report(failure.text());
            break;
        }
        if (rows.empty()) {
            tell(kNoWords);
            outcome.tab = tab_ = Tab::Registration;
            break;
        }
        datesOf(rows);
        tellHistoryNotice();
        state_.listing = std::make_shared<const std::vector<ListEntry>>(std::move(rows));
        break;
    }
    case Tab::Options:
        // The default word file as the preferences file names it now.
        try {
            readDefaultWordFile();
        } catch (const Failure& failure) {
            report(failure.text());
        }
        outcome.currentFile = outcome.defaultFile = true;
        break;
    case Tab::Progress:
        // Its numbers are read when it is drawn (progress()).
        outcome.progress = true;
        break;
    case Tab::Registration:
    case Tab::About: break;
    }
    return outcome;
}

void Trainer::relist(Outcome& outcome)
{
    if (!outcome.words || !state_.listing)
        return;
    outcome.list = true;
    try {
        std::vector<ListEntry> rows = state_.book.listing();
        datesOf(rows);
        state_.listing = std::make_shared<const std::vector<ListEntry>>(std::move(rows));
    } catch (const Failure& failure) {
        // A record that cannot be listed has come into view: nothing is
        // drawn, so no row stands for a record it does not show.
        state_.listing.reset();
        report(failure.text());
    }
}

bool Trainer::listed(int record) const
{
    if (!state_.listing)
        return false;
    for (const ListEntry& row : *state_.listing) {
        if (row.record == record)
            return true;
    }
    return false;
}

Outcome Trainer::changeWord(std::optional<int> record, int field)
{
    if (busy_)
        return {};
    if (!state_.listing || state_.listing->empty()) {
        tell(kNoWords);
        return {};
    }
    if (!record || !listed(*record))
        return {};
    if (field == 0) {
        tell(QStringLiteral("そのデータを変更することはできません。"));
        return {};
    }
    using Edited = TrainerQuestions::FieldEdit::Field;
    Edited edited = Edited::Other;
    if (field == kWord)
        edited = Edited::Word;
    else if (field == kMean)
        edited = Edited::Meaning;
    const TrainerQuestions::FieldEdit edit{cp932::decode(ReadField(state_.book.store, *record, field)),
                                           field == kMean || field == kExampleMean, edited,
                                           cp932::decode(ReadField(state_.book.store, *record, kWord))};
    const std::optional<QString> text = questions_ ? questions_->newText(edit) : std::nullopt;
    if (!text || text->isEmpty() || !backUp(false))
        return {};
    QString refusal;
    Outcome outcome = transact([&](State& s, Outcome& o) {
        const QByteArray before = ReadField(s.book.store, *record, kWord);
        refusal = s.book.changeField(*record, field, *text);
        if (refusal.isEmpty()) {
            // A new spelling takes the word's reviews along, in the same
            // transaction as the word file.
            std::optional<history::Change> change;
            const QByteArray after = ReadField(s.book.store, *record, kWord);
            if (history::History* h = keptHistory(); h && field == kWord && after != before) {
                change.emplace(h->change());
                change->rename(historyKey(), before, after);
            }
            s.book.save();
            if (change)
                change->commit();
            o.words = true;
        }
    });
    if (outcome.words)
        dropSchedule();
    if (!outcome.reloaded && !refusal.isEmpty())
        tell(refusal);
    relist(outcome);
    tellHistoryNotice();
    return outcome;
}

Outcome Trainer::deleteWord(std::optional<int> record)
{
    if (busy_)
        return {};
    if (!state_.listing || state_.listing->empty()) {
        tell(kNoWords);
        return {};
    }
    if (!record || !listed(*record)
        || !confirm(QStringLiteral("選択単語データを消去します。よろしいですか？")) || !backUp(true))
        return {};
    Outcome outcome = transact([&](State& s, Outcome& o) {
        const QByteArray word = ReadField(s.book.store, *record, kWord);
        s.book.deleteRecord(*record);
        // The reviews stay, for the progress they tell of; the word
        // registered again later starts afresh. Another record spelt alike
        // keeps them.
        std::optional<history::Change> change;
        if (history::History* h = keptHistory(); h && !spelledBy(s.book, word)) {
            change.emplace(h->change());
            change->retire(historyKey(), word, now());
        }
        s.book.save();
        if (change)
            change->commit();
        o.words = true;
    });
    if (outcome.words)
        dropSchedule();
    relist(outcome);
    tellHistoryNotice();
    return outcome;
}
