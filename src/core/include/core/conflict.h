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

// What only the learner can decide in the middle of an action.
class TrainerQuestions {
public:
    virtual ~TrainerQuestions() = default;
    // The word file was changed by another program: true to overwrite it
    // with what Lexiwren holds, false to load the other program's version
    // instead (the action at hand is then not applied).
    virtual bool overwrite(const QString& path) = 0;
    // The backup before a change could not be taken (`failure` says why):
    // true to go on without one, false to leave the action undone.
    virtual bool goOnWithoutBackup(const QString& failure) = 0;
};
