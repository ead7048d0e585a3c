#pragma once

#include <QString>

// One Lexiwren at a time works on a word file, whoever's home it lies in.
// The copy whose current file it is holds an exclusive lock (flock) on two
// lock files, each created when missing and never removed (see release()):
//
// - beside the word file, hidden, named after it with a dot in front and
//   ".lock" behind: "words/default.txt" is locked through
//   "words/.default.txt.lock". Every user who can read the folder sees it.
//   A lock file we may not write (another user's, in a folder we may not
//   write) is locked through a read-only descriptor all the same.
// - in the user's runtime folder (XDG_RUNTIME_DIR), named after a hash of
//   the word file's key (below). It holds the rule where the first cannot
//   be had: a read-only folder that takes no new file, or a symbolic link
//   or a FIFO standing where the lock file belongs.
//
// The word file is found through symbolic links first, so every name of one
// file has one key, its full canonical path, and locks the same lock files.
// A copy is refused when either lock is held by another; it goes on when at
// least one could be taken. The locks go with the process: a copy that ends
// or is killed releases them.
class WordFileLock {
public:
    enum class Result {
        kTaken,
        kHeldElsewhere, // another copy holds this word file
        kUnavailable, // neither lock file can be made or opened, or the
                      // file systems have no locks; the caller decides
    };

    // Holds no lock.
    WordFileLock() = default;
    ~WordFileLock();
    WordFileLock(WordFileLock&& other) noexcept;
    WordFileLock& operator=(WordFileLock&& other) noexcept;
    WordFileLock(const WordFileLock&) = delete;
    WordFileLock& operator=(const WordFileLock&) = delete;

    // The word file `file` (a file name, no stored path) by its full path
    // with every link resolved; a file not made yet by its folder's. Also
    // the name of its hand-over channel.
    static QString keyFor(const QString& file);
    // Its lock file beside it, and the one in the runtime folder (empty when
    // there is no runtime folder).
    static QString lockFileFor(const QString& file);
    static QString runtimeLockFileFor(const QString& file);

    // Whether any copy (this one included) holds the word file's lock now.
    // Creates no lock file.
    static bool heldByAnyCopy(const QString& file);

    // Locks the word file `file`, without waiting. Taken: this
    // object holds its lock and has released the one it held before, only
    // after the new one was taken, so a file that becomes current is never
    // unprotected. Otherwise nothing changes: the old lock stays held (call
    // release() to go on without one). Asking for the file already held
    // answers kTaken.
    Result lock(const QString& file);

    // Lets the lock go. The lock files stay: removing one would let a copy
    // that opened it just before wait on the removed file while a third
    // copy creates and locks a new one, and both would then believe they
    // hold the word file.
    void release();

    bool held() const { return beside_ >= 0 || runtime_ >= 0; }
    // The key of the word file held, or empty.
    const QString& key() const { return key_; }
    // The lock file held beside the word file or, without it, the one in
    // the runtime folder; empty when none is held.
    const QString& lockFile() const { return lockFile_; }

private:
    int beside_ = -1;
    int runtime_ = -1;
    QString key_;
    QString lockFile_;
};
