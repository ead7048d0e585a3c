#pragma once

#include "dictionary/suggestion.h"

#include <QFrame>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <vector>

class QLineEdit;
class QListWidget;

namespace dictionary {
class MeaningFinder;
}

namespace assist {

// A small list of Japanese meanings shown under the meaning field while the
// learner types the English word in another field. It never takes the
// focus: typing goes on in the word field, and keys there work it:
//
//   Down / Up      move the highlight (Up from the first row removes it)
//   Enter          with a row highlighted: fills the meaning field with it;
//                  with none: passes on (registers, or OKs a dialog)
//   Alt+1 … Alt+9  fills the meaning field with that row at once
//   Escape         closes the list (a second Escape reaches the dialog)
//
// The list is looked up anew a moment (30 ms) after the last keystroke, so
// the typed letter is drawn without waiting for it; the keys above first
// bring it up to date. A click on a row fills the meaning field too.
// Nothing is filled unasked; what was filled can be edited or undone
// (Ctrl+Z) like anything typed. Every text is shown as plain text. The list
// is a child of the field's window, above its other controls, and moves
// none of them.
class SuggestionPopup : public QFrame {
    Q_OBJECT
public:
    // What a row is for: to fill the field it is shown under, or only to
    // be read (the meanings of a spelling being corrected, where there is
    // no meaning field to fill). A list only to be read takes only Escape
    // and Alt with a number (which then do nothing), and a click on it does
    // nothing.
    enum class Use { Fill, Read };

    // Shown under `target`, which a choice fills; meanings from `finder`.
    SuggestionPopup(QLineEdit* target, dictionary::MeaningFinder* finder, Use use = Use::Fill);

    // Offers meanings for what is typed into `source`, and takes the keys
    // above there while the list is shown. Its own key handling (Enter to
    // register) must be in place before, as an event filter or in the
    // field: the list's filter then comes first.
    void follow(QLineEdit* source);
    // Takes the keys above in `field` while the list is shown, without
    // looking up what is typed there (the meaning field itself, while the
    // meanings of a word given are offered).
    void takeKeysFrom(QLineEdit* field);
    // The list ends above `widget` (it would otherwise hide the buttons
    // under a short dialog's field).
    void stopAbove(QWidget* widget) { floor_ = widget; }
    // Offers meanings for a word given, not typed (the list stays until a
    // choice, Escape or the end of typing in a followed field).
    void offerFor(const QString& english);
    // Suggestions on or off; off closes the list.
    void setActive(bool active);
    bool isActive() const { return active_; }

    // What is shown, and the highlighted row (-1 for none).
    const std::vector<dictionary::Suggestion>& suggestions() const { return shown_; }
    int highlighted() const;
    void close();

signals:
    // The meaning field was filled with this meaning.
    void chosen(const QString& meaning);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lookUp(const QString& english);
    void refresh();
    void choose(int row);
    void highlight(int row);
    void place();
    // The list, made on first use.
    QListWidget* list();
    bool handleKey(QKeyEvent* key);

    QPointer<QLineEdit> target_;
    Use use_;
    QPointer<QWidget> floor_;
    dictionary::MeaningFinder* finder_;
    QListWidget* list_ = nullptr;
    QList<QPointer<QLineEdit>> sources_;
    // The same, to know the events of: compared as objects only, since an
    // event may come while a field is being destroyed.
    QList<QObject*> watched_;
    QString query_;
    bool offered_ = false; // showing for a word given, not typed
    QTimer settle_; // the lookup after the last keystroke
    std::vector<dictionary::Suggestion> shown_;
    bool active_ = true;
};

} // namespace assist
