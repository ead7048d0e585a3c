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

// Asks the learner what to do about a word file changed by another program:
// true to overwrite it with what Lexiwren holds, false to load the other
// program's version instead (the action at hand is then not applied).
class ConflictQuestion {
public:
    virtual ~ConflictQuestion() = default;
    virtual bool overwrite(const QString& path) = 0;
};
