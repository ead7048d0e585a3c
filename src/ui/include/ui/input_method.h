#pragma once

class QLineEdit;

// Input method settings of an edit. English fields get their keys straight
// from the keyboard: the platform input method is switched off for them.
// Japanese fields leave it on, in whatever mode the learner last chose.
// Qt has no request for a kana mode, so that is all an application can ask.
void useEnglishInput(QLineEdit* edit);
void useJapaneseInput(QLineEdit* edit);
