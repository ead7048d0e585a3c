// The trainer's files: the preferences, the current word file with its
// lock, the data folder, backups, and what goes to and comes from other
// programs' files.

#include "core/trainer.h"

#include "core/conflict.h"
#include "store/codec.h"
#include "store/failure.h"
#include "store/limits.h"
#include "store/preferences.h"
#include "store/word_file.h"

#include <QDir>
#include <QFileInfo>

Outcome Trainer::reloadChangedFile()
{
    const WordFilePath path = state_.book.path;
    LineStore loaded;
    FileStamp stamp;
    if (path.exists())
        stamp = LoadLines(loaded, path.file(), path.shown());
    state_.book.store = std::move(loaded);
    state_.book.stamp = stamp;
    dropSchedule();
    state_.quiz.reset();
    state_.exam.abandon();
    heldTicks_ = 0;
    tell(QStringLiteral("単語ファイル %1 "
                        "をほかのプログラムが変更した内容で読み込み直しました。今の操作は行っていません。")
             .arg(path.shown()));
    // The tab shown starts afresh on the words now loaded.
    Outcome outcome = prepare(tab_);
    outcome.reloaded = outcome.words = outcome.quiz = outcome.exam = true;
    return outcome;
}

void Trainer::setDataFolder(const QString& folder, bool usable)
{
    dataFolder_ = folder;
    dataFolderUsable_ = usable;
    backups_.emplace(QDir(folder).filePath(QStringLiteral("backups")));
}

bool Trainer::backUp(bool always)
{
    const WordFilePath& path = state_.book.path;
    if (!backups_ || path.isEmpty())
        return true;
    // Every answer asks this: the word file in hand is told by its name,
    // without a look at the file system.
    if (!always && path == coveredPath_)
        return true;
    const QString& file = path.file();
    if (!always && backups_->coveredThisRun(file)) {
        coveredPath_ = path;
        return true;
    }
    try {
        backUpHistory(backups_->take(file));
    } catch (const Failure& failure) {
        // A change that can no longer be undone by a copy is the learner's
        // call, never made silently.
        if (!questions_)
            throw;
        if (!questions_->confirm(failure.text()
                                 + QStringLiteral("。\n\nバックアップを取らずに続けますか？"))) {
            tell(QStringLiteral("バックアップを取れなかったので、操作を取りやめました。"));
            return false;
        }
        backups_->goOnWithout(file);
    }
    coveredPath_ = path;
    return true;
}

void Trainer::makeCurrent(const WordFilePath& path, bool createWhenMissing)
{
    const QString& file = path.file();
    // A word file named by a relative path lives in the data folder; when
    // that could not be made, it would land wherever the program was
    // started from, and be missed at the next start.
    if (!dataFolderUsable_ && path.isRelative())
        throw Failure(
            QStringLiteral("単語ファイルを置くフォルダ %1 を作れないため、単語ファイル %2 は開いていません。"
                           "単語はどこにも保存されません")
                .arg(QDir::toNativeSeparators(dataFolder_), path.shown()));
    // A backup worked on as the word file would be pruned away, new words
    // and all, by a later backup.
    if (const QString refusal = backups_ ? backups_->refusal(file, path.shown()) : QString();
        !refusal.isEmpty())
        throw Failure(refusal);

    // The folder of the default file ("words") is made first, so a first
    // start ends with a current word file to save to, and its lock file has
    // a place beside it.
    const bool exists = path.exists();
    if (!exists && createWhenMissing)
        QDir().mkpath(QFileInfo(file).absolutePath());

    // The lock of the file in hand is kept; a new file's lock is taken
    // before its words are read, and the old one let go only once the new
    // file is current.
    WordFileLock lock;
    // The file in hand is told by the key its lock was taken by: its name
    // exactly, every link resolved.
    const bool inHand = lock_.held() && WordFileLock::keyFor(file) == lock_.key();
    if (!inHand && lock.lock(file) == WordFileLock::Result::kHeldElsewhere)
        throw FileInUse(path.shown());

    LineStore loaded;
    FileStamp stamp;
    if (exists) {
        stamp = LoadLines(loaded, file, path.shown());
    } else if (createWhenMissing) {
        // The new file holds the empty store: nothing to read back.
        stamp = SaveLines(loaded, file, path.shown());
    }
    state_.book.store = std::move(loaded);
    state_.book.path = path;
    state_.book.stamp = stamp;
    dropSchedule();
    if (!inHand) {
        lock_ = std::move(lock);
        if (currentChanged_)
            currentChanged_();
    }
}

void Trainer::createPreferences()
{
    prefs::writeString(prefsFile_, prefs::kSection, prefs::kKey, prefs::kDefaultWordFile);
}

void Trainer::readDefaultWordFile()
{
    // A preferences file that cannot be read leaves the default in force.
    defaultWordFile_ = WordFilePath::stored(QString::fromLatin1(prefs::kDefaultWordFile));
    defaultWordFile_ = WordFilePath::stored(
        cp932::decode(prefs::readString(prefsFile_, prefs::kSection, prefs::kKey, prefs::kDefaultWordFile)));
}

ImportJob Trainer::importJob(const QString& file) const
{
    return ImportJob(file, state_.book.store);
}

ImportPlan Trainer::planImport(const QString& file) const
{
    return importJob(file).run();
}
