#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

class LineStore;

// A word as the learner types it on the registration tab, or as an import
// brings it.
struct NewWord {
    QString word;
    QString mean;
    QString example;
    QString exampleMean;
    int part = 0; // 0 名詞 … 4 熟語
};

// What the rules say of a new word. A message, when there is one, is shown
// to the learner as a plain message box.
struct RegistrationResult {
    enum Kind {
        Registered, // stored and saved; the form is emptied
        Full, // 1000 words already; the form is emptied
        Duplicate, // the word is registered already; the form is emptied
        MissingRequired, // no word or no meaning; the form is kept
        RefusedText, // text a record cannot hold; the form is kept
    };
    Kind kind = Registered;
    QString message;

    bool clearsForm() const { return kind == Registered || kind == Full || kind == Duplicate; }
};

// The one set of rules a new word must pass, for a registration and for
// every word of an import alike, checked in this order: the limit of 1000
// words, text a record cannot hold, a word registered already (byte for
// byte, among the records a scan sees), a missing word or meaning.
class RegistrationRules {
public:
    // Against the records a scan of `store` sees.
    explicit RegistrationRules(const LineStore& store);

    // What the rules say of `word`; when it passes, `record` is the new
    // record's line, and the word counts as registered for the next check,
    // so one import cannot bring the same word twice. A character with no
    // CP932 code raises the codec's Failure.
    RegistrationResult check(const NewWord& word, QByteArray& record);

private:
    QSet<QByteArray> words_;
    int room_ = 0;
};
