#pragma once

#include "store/failure.h"

#include <QString>

// The word file was changed by another program since we last loaded or
// saved it: saving now would silently destroy that change.
class ExternalChange : public Failure {
public:
    explicit ExternalChange(const QString& path);
    const QString& path() const { return path_; }

private:
    QString path_;
};

// Another Lexiwren works on the word file (it holds the file's lock).
class FileInUse : public Failure {
public:
    explicit FileInUse(const QString& path);
    const QString& path() const { return path_; }

private:
    QString path_;
};
