#pragma once

class QLineEdit;

// The language a field is typed in. English fields take their keys straight
// from the keyboard: the platform input method is switched off for them.
// Japanese fields switch the input method on when they take the focus, so a
// learner can type a meaning without first pressing a key to get Japanese.
// Either call may be repeated to change a field's language (the change
// dialog's field follows the column it edits).
void useEnglishInput(QLineEdit* edit);
void useJapaneseInput(QLineEdit* edit);
