#pragma once

#include <QString>
#include <utility>

// Where a word file is, as the learner knows it and as the file system
// finds it. A location is made one of these once, where it enters the
// program, and every message, label and comparison goes through it:
//
//  - stored: a name from the preferences file or the command line. A
//    backslash separates folders, so the default "words\default.txt" is the
//    file words/default.txt; a relative name lies in the data folder (the
//    working folder of the program).
//  - picked: a name chosen in a file dialog, which is the file exactly as
//    picked: a file called "x\a.csv" is that file, not x/a.csv.
//
// Its shown form is the text the learner typed, picked or stored, shown
// unchanged wherever the file is named.
class WordFilePath {
public:
    // No word file.
    WordFilePath() = default;
    static WordFilePath stored(const QString& text);
    static WordFilePath picked(const QString& text);

    bool isEmpty() const { return shown_.isEmpty(); }
    const QString& shown() const { return shown_; }
    // The file's name for the file system; a relative one lies in the
    // working folder.
    const QString& file() const { return file_; }
    bool isRelative() const;
    // Whether something stands at the name (a symbolic link counts when it
    // leads somewhere).
    bool exists() const;
    // The same place with `suffix` (".txt") behind the name, unless it ends
    // in it already, in any case.
    WordFilePath withSuffix(const QString& suffix) const;

    friend bool operator==(const WordFilePath&, const WordFilePath&) = default;

private:
    WordFilePath(QString shown, QString file) : shown_(std::move(shown)), file_(std::move(file)) { }

    QString shown_;
    QString file_;
};

// Whether the two name the same file: one that exists is known by its
// device and inode, so "./", "..", symbolic links and hard links all lead
// to it; one that does not exist yet, by its absolute name with its folder
// found through links. A name holding a backslash is also read with the
// backslash as a folder separator, as a stored name would be, so a picked
// "words\default.txt" counts as the default word file: the safe answer
// for every guard that asks this.
bool sameFile(const WordFilePath& a, const WordFilePath& b);
