#pragma once

#include <QFileDevice>
#include <QString>

// Makes a file or folder unwritable while it lives: the write permission
// bits go, and, because root ignores those, the immutable attribute is set
// too where the file system and our privileges allow it. Both are undone on
// destruction, so the temporary folder can be removed.
//
// With `immutableOnly` the permission bits stay: a runtime folder must keep
// its 0700, or Qt falls back to another one.
class ReadOnly {
public:
    explicit ReadOnly(QString path, bool immutableOnly = false);
    ~ReadOnly();
    ReadOnly(const ReadOnly&) = delete;
    ReadOnly& operator=(const ReadOnly&) = delete;

    // Whether writing there is refused now, found out by trying.
    bool effective() const;

private:
    bool setImmutable(bool on) const;

    QString path_;
    QFileDevice::Permissions permissions_;
    bool immutable_ = false;
};
