#pragma once

#include "registration/registration_panel.h"
#include "registration/word_list.h"
#include "support/fixtures.h"

#include <QByteArray>
#include <QString>

class QLineEdit;

// Records written in a test as UTF-8, stored as CP932 lines ending in CR LF.
QByteArray records(std::initializer_list<const char*> utf8Lines);
// `count` distinct records w0 … w{count-1}, each ending in CR LF.
QByteArray manyRecords(int count);

// Types text into an edit the way a learner does: ASCII text as key
// presses, anything else as text committed by an input method.
void typeInto(QLineEdit* edit, const QString& text);

// What a platform input context asks the focused widget before it takes
// the keys: is the input method on here?
bool inputMethodOn(QLineEdit* edit);

class RegistrationFixture : public AppFixture {
protected:
    RegistrationControls panel() const { return RegistrationControls(*window); }
    ListControls list() const { return ListControls(*window); }

    // Fills the form and presses the register button.
    void registerWord(const QString& word, const QString& mean, const QString& example = {},
                      const QString& exampleMean = {});
};
