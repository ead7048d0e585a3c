// The word file commands of the options tab, and the import and export of
// words for other programs: which file each one takes, what it asks before
// acting, and what it refuses.

#include "core/trainer.h"

#include "store/codec.h"
#include "store/failure.h"
#include "store/limits.h"
#include "store/preferences.h"
#include "store/word_file.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array kExportFormats{interchange::ExportFormat::Csv, interchange::ExportFormat::AnkiText,
                                    interchange::ExportFormat::Kvtml};

QString replaceQuestion(const WordFilePath& target)
{
    return QStringLiteral("ファイル %1 はすでにあります。\n置き換えますか？").arg(target.shown());
}

} // namespace

void Trainer::refuseCurrent(const WordFilePath& target, const QString& refusal) const
{
    // Written over by anything but our saves, the current word file would
    // lose the check for another program's change, or hold another form
    // where our words are read from.
    if (sameFile(target, state_.book.path))
        throw Failure(refusal.arg(state_.book.path.shown()));
}

Outcome Trainer::openWordFile()
{
    if (busy_)
        return {};
    const std::optional<QString> chosen =
        questions_ ? questions_->chooseWordFile(QStringLiteral("単語ファイルを開く"), false) : std::nullopt;
    if (!chosen)
        return {};
    const WordFilePath picked = WordFilePath::picked(*chosen);
    // A mistyped name would seem to make every word vanish: a new, empty
    // word file is started only when the learner says so.
    if (!picked.exists()
        && !confirm(QStringLiteral("ファイル %1 はありません。\nここに新しい空の単語ファイルを始めますか？")
                        .arg(picked.shown())))
        return {};
    // A file that exists but cannot be loaded leaves the current words and
    // word file as they were: switching to it would overwrite it with an
    // almost empty store on the next change.
    makeCurrent(picked, false);
    Outcome outcome;
    outcome.currentFile = outcome.words = true;
    return outcome;
}

Outcome Trainer::writeOut()
{
    if (busy_)
        return {};
    const std::optional<QString> chosen =
        questions_ ? questions_->chooseWordFile(QStringLiteral("単語ファイルを保存"), true) : std::nullopt;
    if (!chosen)
        return {};
    const WordFilePath target = WordFilePath::picked(*chosen).withSuffix(QStringLiteral(".txt"));
    refuseCurrent(target,
                  QStringLiteral("今の単語ファイル %1 には書き出せません。別のファイルを選んでください"));
    if (target.exists() && !confirm(replaceQuestion(target)))
        return {};
    SaveLines(state_.book.store, target.file(), target.shown());
    return {};
}

Outcome Trainer::resetCounts()
{
    if (busy_ || !confirm(QStringLiteral("正解率データを消去します。よろしいですか？")) || !backUp(true))
        return {};
    const Outcome outcome = transact([&](State& s, Outcome& o) {
        // Nothing to reset writes nothing: a word file deleted from outside
        // is not made again by a reset of no words.
        if (!s.book.resetCounts())
            return;
        s.book.save();
        o.words = true;
    });
    // The history is kept: the counts start again, not the reviews.
    if (outcome.words)
        dropSchedule();
    return outcome;
}

Outcome Trainer::chooseDefaultWordFile()
{
    if (busy_)
        return {};
    const std::optional<QString> chosen =
        questions_ ? questions_->chooseWordFile(QStringLiteral("単語ファイルを開く"), false) : std::nullopt;
    if (!chosen)
        return {};
    // A name the next start could not read back whole is not stored, and
    // only a name that was stored is shown as the default.
    const QByteArray value = cp932::encode(*chosen);
    const QString refusal = prefs::valueRefusal(value);
    if (!refusal.isEmpty()) {
        tell(refusal);
        return {};
    }
    // The next start reads it back as a stored name; one inside the backups
    // folder would be pruned away, words and all, by a later backup.
    const WordFilePath stored = WordFilePath::stored(*chosen);
    if (const QString inBackups = backups_ ? backups_->refusal(stored.file(), stored.shown()) : QString();
        !inBackups.isEmpty()) {
        tell(inBackups + QStringLiteral("。"));
        return {};
    }
    prefs::writeString(prefsFile_, prefs::kSection, prefs::kKey, value);
    defaultWordFile_ = stored;
    Outcome outcome;
    outcome.defaultFile = true;
    return outcome;
}

QStringList Trainer::exportFilters()
{
    return {QStringLiteral("CSV ファイル 表計算・KWordQuiz 用 (*.csv)"),
            QStringLiteral("タブ区切りテキスト Anki 用 (*.txt)"),
            QStringLiteral("KVTML ファイル KWordQuiz・Parley 用 (*.kvtml)")};
}

interchange::ExportFormat Trainer::exportFormat(int filter)
{
    return kExportFormats[static_cast<size_t>(std::clamp(filter, 0, int(kExportFormats.size()) - 1))];
}

Outcome Trainer::exportWords()
{
    if (busy_)
        return {};
    const std::optional<TrainerQuestions::FileChoice> chosen = questions_
        ? questions_->chooseFile(QStringLiteral("単語をエクスポート"), exportFilters(), true)
        : std::nullopt;
    if (!chosen)
        return {};
    const interchange::ExportFormat format = exportFormat(chosen->filter);
    const WordFilePath target =
        WordFilePath::picked(chosen->path).withSuffix(QLatin1Char('.') + interchange::suffixFor(format));
    refuseCurrent(
        target,
        QStringLiteral("今の単語ファイル %1 にはエクスポートできません。別のファイルを選んでください"));
    if (target.exists() && !confirm(replaceQuestion(target)))
        return {};
    std::vector<QByteArray> records;
    const int visible = state_.book.visibleRecords(kMaxRecords);
    for (int i = 0; i < visible; ++i)
        records.push_back(state_.book.store.ReadLine(i));
    interchange::writeExportFile(target.file(), format, records);
    return {};
}

ImportOutcome Trainer::importWords(const ImportPlan& plan)
{
    if (busy_)
        return {};
    // The plan was made against a copy of the words; between the preview
    // and OK the learner or another program may have changed them.
    if (std::optional<ImportPlan> changed = recheckImport(plan, state_.book.store))
        return {0, std::move(changed), {}, {}};
    const int added = int(plan.words.size());
    if (added == 0 || !backUp(true))
        return {};
    bool imported = false;
    Outcome changes = transact([&](State& s, Outcome& o) {
        s.book.insertRecords(plan.records());
        s.book.save();
        o.words = imported = true;
    });
    if (imported)
        dropSchedule();
    if (!imported)
        return {0, std::nullopt, {}, changes};
    return {added, std::nullopt, QStringLiteral("%1 語を登録しました。").arg(added), changes};
}

Outcome Trainer::importFile()
{
    if (busy_ || !questions_)
        return {};
    const std::optional<TrainerQuestions::FileChoice> chosen =
        questions_->chooseFile(QStringLiteral("単語をインポート"),
                               {QStringLiteral("単語帳のファイル (*.csv *.tsv *.txt *.kvtml *.xml)"),
                                QStringLiteral("すべてのファイル (*)")},
                               false);
    if (!chosen)
        return {};
    // Read as picked, and planned away from the GUI thread against a copy of
    // the words: a large file neither freezes the window nor holds on to it.
    const WordFilePath picked = WordFilePath::picked(chosen->path);
    const ImportJob job = importJob(picked.file());
    std::optional<ImportPlan> plan;
    if (!questions_->inBackground(QStringLiteral("%1 を読んでいます…").arg(picked.shown()),
                                  [&](const TrainerQuestions::Report& report) { plan = job.run(report); }))
        return {};
    // Asked again, as it now stands, while the words changed between the
    // question and OK.
    Outcome outcome;
    while (plan) {
        const ImportPreview preview = previewImport(*plan);
        if (!questions_->confirmList(preview.text, preview.list) || !preview.registers)
            return outcome;
        ImportOutcome done = importWords(*plan);
        outcome += done.changes;
        plan = std::move(done.changed);
        if (!plan && !done.message.isEmpty())
            tell(done.message);
    }
    return outcome;
}
