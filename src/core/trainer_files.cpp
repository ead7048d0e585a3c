// The trainer's files: the preferences, the current word file with its
// lock, the data folder, backups, and what goes to and comes from other
// programs' files.

#include "core/trainer.h"

#include "store/codec.h"
#include "store/limits.h"
#include "store/preferences.h"
#include "store/word_file.h"

#include <QDir>
#include <QFileInfo>

void Trainer::reloadChangedFile()
{
    const QString path = state_.book.path;
    LineStore loaded;
    FileStamp stamp;
    if (QFileInfo::exists(fileNameFor(path)))
        stamp = LoadLines(loaded, path);
    state_.book.store = std::move(loaded);
    state_.book.stamp = stamp;
    state_.quiz.reset();
    state_.exam.abandon();
    if (reloaded_)
        reloaded_();
    throw Failure::notice(
        QStringLiteral("単語ファイル %1 "
                       "をほかのプログラムが変更した内容で読み込み直しました。今の操作は行っていません。")
            .arg(path));
}

void Trainer::setDataFolder(const QString& folder, bool usable)
{
    dataFolder_ = folder;
    dataFolderUsable_ = usable;
    backups_.emplace(QDir(folder).filePath(QStringLiteral("backups")));
}

void Trainer::backUp(bool always)
{
    const QString& path = state_.book.path;
    if (!backups_ || path.isEmpty())
        return;
    // Every answer asks this: the word file in hand is told by its name,
    // without a look at the file system.
    if (!always && path == coveredPath_)
        return;
    const QString file = fileNameFor(path);
    if (!always && backups_->coveredThisRun(file)) {
        coveredPath_ = path;
        return;
    }
    try {
        backups_->take(file);
    } catch (const Failure& failure) {
        // A change that can no longer be undone by a copy is the learner's
        // call, never made silently.
        if (!questions_)
            throw;
        if (!questions_->goOnWithoutBackup(failure.text()))
            throw Failure::notice(QStringLiteral("バックアップを取れなかったので、操作を取りやめました。"));
        backups_->goOnWithout(file);
    }
    coveredPath_ = path;
}

void Trainer::makeCurrent(const QString& path, bool createWhenMissing)
{
    const QString file = fileNameFor(path);
    // A word file named by a relative path lives in the data folder; when
    // that could not be made, it would land wherever the program was
    // started from, and be missed at the next start.
    if (!dataFolderUsable_ && QDir::isRelativePath(file))
        throw Failure(
            QStringLiteral("単語ファイルを置くフォルダ %1 を作れないため、単語ファイル %2 は開いていません。"
                           "単語はどこにも保存されません")
                .arg(QDir::toNativeSeparators(dataFolder_), path));
    // A backup worked on as the word file would be pruned away, new words
    // and all, by a later backup.
    if (const QString refusal = backups_ ? backups_->refusal(path) : QString(); !refusal.isEmpty())
        throw Failure(refusal);

    // The folder of the default file ("words") is made first, so a first
    // start ends with a current word file to save to, and its lock file has
    // a place beside it.
    const bool exists = QFileInfo::exists(file);
    if (!exists && createWhenMissing)
        QDir().mkpath(QFileInfo(file).absolutePath());

    // The lock of the file in hand is kept; a new file's lock is taken
    // before its words are read, and the old one let go only once the new
    // file is current.
    WordFileLock lock;
    const bool sameFile = lock_.held() && WordFileLock::keyFor(path) == lock_.key();
    if (!sameFile && lock.lock(path) == WordFileLock::Result::kHeldElsewhere)
        throw FileInUse(path);

    LineStore loaded;
    FileStamp stamp;
    if (exists) {
        stamp = LoadLines(loaded, path);
    } else if (createWhenMissing) {
        // The new file holds the empty store: nothing to read back.
        stamp = SaveLines(loaded, path);
    }
    state_.book.store = std::move(loaded);
    state_.book.path = path;
    state_.book.stamp = stamp;
    if (!sameFile) {
        lock_ = std::move(lock);
        if (currentChanged_)
            currentChanged_();
    }
}

bool Trainer::preferencesExist() const
{
    return QFileInfo::exists(prefsFile_);
}

void Trainer::createPreferences()
{
    prefs::writeString(prefsFile_, prefs::kSection, prefs::kKey, prefs::kDefaultWordFile);
}

void Trainer::readDefaultWordFile()
{
    // A preferences file that cannot be read leaves the default in force.
    defaultWordFile_ = QString::fromLatin1(prefs::kDefaultWordFile);
    defaultWordFile_ =
        cp932::decode(prefs::readString(prefsFile_, prefs::kSection, prefs::kKey, prefs::kDefaultWordFile));
}

QString Trainer::setDefaultWordFile(const QString& path)
{
    // A name the next start could not read back whole is not stored.
    const QByteArray value = cp932::encode(path);
    const QString refusal = prefs::valueRefusal(value);
    if (!refusal.isEmpty())
        return refusal;
    if (const QString inBackups = backups_ ? backups_->refusal(path) : QString(); !inBackups.isEmpty())
        return inBackups + QStringLiteral("。");
    // Only a name that was stored is shown as the default.
    prefs::writeString(prefsFile_, prefs::kSection, prefs::kKey, value);
    defaultWordFile_ = path;
    return {};
}

void Trainer::openDefaultWordFile()
{
    makeCurrent(defaultWordFile_, true);
}

void Trainer::openWordFile(const QString& path)
{
    // A file that exists but cannot be loaded leaves the current words and
    // word file as they were: switching to it would overwrite it with an
    // almost empty store on the next change.
    makeCurrent(path, false);
}

void Trainer::writeWordFile(const QString& path) const
{
    SaveLines(state_.book.store, path);
}

ImportJob Trainer::importJob(const QString& file) const
{
    return ImportJob(file, state_.book.store);
}

ImportPlan Trainer::planImport(const QString& file) const
{
    return importJob(file).run();
}

void Trainer::exportWords(const QString& path, interchange::ExportFormat format) const
{
    // Written over the current word file, another form would stand where
    // our words are read from.
    const QString current = QFileInfo(fileNameFor(state_.book.path)).canonicalFilePath();
    if (!current.isEmpty() && QFileInfo(path).canonicalFilePath() == current)
        throw Failure(
            QStringLiteral("今の単語ファイル %1 にはエクスポートできません。別のファイルを選んでください")
                .arg(state_.book.path));
    std::vector<QByteArray> records;
    const int visible = state_.book.visibleRecords(kMaxRecords);
    for (int i = 0; i < visible; ++i)
        records.push_back(state_.book.store.ReadLine(i));
    interchange::writeExportFile(path, format, records);
}
