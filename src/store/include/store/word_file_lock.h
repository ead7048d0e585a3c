#pragma once

#include <QString>

// One Lexiwren at a time works on a word file, whoever's home it lies in:
// the copy whose current file it is holds an exclusive lock (flock) on a
// hidden lock file beside it, named after it with a dot in front and
// ".lock" behind: "words/default.txt" is locked through
// "words/.default.txt.lock". The word file is found through symbolic links
// first, so every name of one file locks the same lock file.
//
// The lock goes with the process: a copy that ends or is killed releases
// it. A lock file we may not write (another user's, in a folder we may not
// write) is locked through a read-only descriptor all the same. The lock
// file is created when missing and never removed, see release().
class WordFileLock {
public:
    enum class Result {
        kTaken,
        kHeldElsewhere, // another copy holds this word file
        kUnavailable, // no lock file can be made or opened there, or the
                      // file system has no locks; the caller decides
    };

    // Holds no lock.
    WordFileLock() = default;
    ~WordFileLock();
    WordFileLock(WordFileLock&& other) noexcept;
    WordFileLock& operator=(WordFileLock&& other) noexcept;
    WordFileLock(const WordFileLock&) = delete;
    WordFileLock& operator=(const WordFileLock&) = delete;

    // The lock file of the word file `file`.
    static QString lockFileFor(const QString& file);

    // Locks the word file `file`, without waiting. Taken: this
    // object holds its lock and has released the one it held before, only
    // after the new one was taken, so a file that becomes current is never
    // unprotected. Otherwise nothing changes: the old lock stays held (call
    // release() to go on without one). Asking for the file already held
    // answers kTaken.
    Result lock(const QString& file);

    // Lets the lock go. The lock file stays: removing it would let a copy
    // that opened it just before wait on the removed file while a third
    // copy creates and locks a new one, and both would then believe they
    // hold the word file.
    void release();

    bool held() const { return fd_ >= 0; }
    // The lock file held, or empty.
    const QString& lockFile() const { return lockFile_; }

private:
    int fd_ = -1;
    QString lockFile_;
};
