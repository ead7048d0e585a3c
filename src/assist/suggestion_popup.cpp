#include "assist/suggestion_popup.h"

#include "dictionary/meaning_finder.h"
#include "store/codec.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace assist {

using dictionary::MeaningFinder;
using dictionary::Suggestion;

namespace {

constexpr int kMinWidth = 300;
// How long after a keystroke the list is looked up anew: the typed letter is
// drawn without waiting for the list, and keys typed in a burst cost one
// lookup.
constexpr int kSettleMs = 30;

// "1  りんご【林檎】  apple (fruit)": the number Alt takes, the meaning, its
// other written form, and the English it was found by.
QString rowText(int number, const Suggestion& s)
{
    QString text = (number > 0 ? QString::number(number) + QStringLiteral("  ") : QString())
        + cp932::decode(s.meaning());
    const QString other = cp932::decode(s.otherForm());
    if (!other.isEmpty())
        text += QStringLiteral("【%1】").arg(other);
    return text + QStringLiteral("  ") + cp932::decode(s.gloss);
}

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The row Alt and a digit choose, or -1.
int altDigit(const QKeyEvent* key)
{
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
        return -1;
    return key->key() >= Qt::Key_1 && key->key() <= Qt::Key_9 ? key->key() - Qt::Key_1 : -1;
}

QString listName()
{
    return QStringLiteral("意味の候補");
}

QString listKeys(SuggestionPopup::Use use)
{
    return use == SuggestionPopup::Use::Fill
        ? QStringLiteral("↓↑で選んで Enter、または Alt+番号で意味に入れます。Esc で閉じます")
        : QStringLiteral("入力中の単語の意味です（参考）。Esc で閉じます");
}

} // namespace

SuggestionPopup::SuggestionPopup(QLineEdit* target, MeaningFinder* finder, Use use)
    : QFrame(target->window()), target_(target), use_(use), finder_(finder)
{
    setObjectName(QStringLiteral("meaningSuggestions"));
    setFrameShape(QFrame::Box);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(listName());
    setAccessibleDescription(listKeys(use_));
    hide();
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &SuggestionPopup::refresh);
    // The first keystroke starts the dictionary; its suggestions come when
    // it is ready, without another keystroke.
    connect(finder_, &MeaningFinder::stateChanged, this, &SuggestionPopup::refresh);
}

QListWidget* SuggestionPopup::list()
{
    // Made when there is first something to show: a list view brings a
    // good deal of code and memory with it, which a start that only shows
    // the empty form has no use for.
    if (list_)
        return list_;
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("meaningSuggestionList"));
    list_->setAccessibleName(listName());
    list_->setAccessibleDescription(listKeys(use_));
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setSelectionMode(use_ == Use::Fill ? QAbstractItemView::SingleSelection
                                              : QAbstractItemView::NoSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setUniformItemSizes(true);
    list_->setTextElideMode(Qt::ElideRight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(list_);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(list_->row(item)); });
    return list_;
}

void SuggestionPopup::takeKeysFrom(QLineEdit* field)
{
    watched_ << field;
    connect(field, &QObject::destroyed, this, [this](QObject* gone) { watched_.removeAll(gone); });
    field->installEventFilter(this);
}

void SuggestionPopup::follow(QLineEdit* source)
{
    sources_ << source;
    takeKeysFrom(source);
    connect(source, &QLineEdit::textEdited, this, [this](const QString& text) {
        offered_ = false;
        query_ = text;
        // The letter is drawn first; the list follows a moment later, once
        // for a burst of keys. A highlight belongs to the list as it was.
        if (list_ && list_->currentRow() >= 0)
            list_->setCurrentRow(-1);
        settle_.start();
    });
    // Emptied or set by the program (the form cleared after registering).
    connect(source, &QLineEdit::textChanged, this, [this, source](const QString& text) {
        if (text.isEmpty() || !source->hasFocus())
            close();
    });
}

void SuggestionPopup::offerFor(const QString& english)
{
    offered_ = true;
    lookUp(english);
}

void SuggestionPopup::setActive(bool active)
{
    active_ = active;
    if (!active)
        close();
}

int SuggestionPopup::highlighted() const
{
    return isVisible() && list_ ? list_->currentRow() : -1;
}

void SuggestionPopup::close()
{
    settle_.stop();
    hide();
    if (list_)
        list_->setCurrentRow(-1);
}

void SuggestionPopup::lookUp(const QString& english)
{
    settle_.stop();
    query_ = english;
    refresh();
}

void SuggestionPopup::refresh()
{
    const bool typing = std::any_of(sources_.begin(), sources_.end(),
                                    [](const QPointer<QLineEdit>& s) { return s && s->hasFocus(); });
    if (!active_ || !target_ || query_.trimmed().isEmpty() || !(typing || offered_)) {
        close();
        return;
    }
    shown_ = finder_->suggest(query_);
    if (shown_.empty()) {
        close();
        return;
    }
    list()->clear();
    for (size_t i = 0; i < shown_.size(); ++i)
        list_->addItem(rowText(use_ == Use::Fill ? int(i) + 1 : 0, shown_[i]));
    list_->setCurrentRow(-1);
    place();
    show();
    raise();
}

void SuggestionPopup::place()
{
    QWidget* window = target_->window();
    if (parentWidget() != window)
        setParent(window);
    const QPoint at = target_->mapTo(window, QPoint(0, target_->height()));
    const int rowHeight = qMax(list_->sizeHintForRow(0), fontMetrics().height());
    const int width = qMin(qMax(target_->width(), kMinWidth), window->width() - at.x() - 2);
    const int bottom = floor_ ? floor_->mapTo(window, QPoint(0, 0)).y() : window->height();
    const int height = qMin(rowHeight * list_->count() + 2 * 1 + 2 * frameWidth(), bottom - at.y() - 2);
    setGeometry(at.x(), at.y(), width, height);
}

void SuggestionPopup::highlight(int row)
{
    list_->setCurrentRow(qBound(-1, row, list_->count() - 1));
}

void SuggestionPopup::choose(int row)
{
    if (!target_ || use_ != Use::Fill || row < 0 || row >= int(shown_.size()))
        return;
    const QString meaning = cp932::decode(shown_[size_t(row)].meaning());
    close();
    // As if typed over what was there: the learner can undo it.
    target_->selectAll();
    target_->insert(meaning);
    emit chosen(meaning);
}

bool SuggestionPopup::handleKey(QKeyEvent* key)
{
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // A list only to be read takes Escape, and Alt and a number too, which
    // a learner used to filling may press: it would type the digit.
    const bool ours = altDigit(key) >= 0 || (plain && key->key() == Qt::Key_Escape)
        || (use_ == Use::Fill && plain
            && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up || isEnter(key)));
    if (!ours)
        return false;
    // These act on the list for what is typed now, not a moment ago.
    if (settle_.isActive()) {
        settle_.stop();
        refresh();
    }
    if (!isVisible())
        return false;
    if (plain && key->key() == Qt::Key_Down) {
        highlight(list_->currentRow() + 1);
        return true;
    }
    if (plain && key->key() == Qt::Key_Up) {
        highlight(list_->currentRow() - 1);
        return true;
    }
    if (plain && key->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    if (plain && isEnter(key) && list_->currentRow() >= 0) {
        choose(list_->currentRow());
        return true;
    }
    // Alt and a number beyond the list does nothing (the field would take
    // the digit as typed).
    const int row = altDigit(key);
    if (row >= 0) {
        choose(row);
        return true;
    }
    return false;
}

bool SuggestionPopup::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched_.contains(watched))
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Our keys reach the field as key presses, before any shortcut.
        auto* key = static_cast<QKeyEvent*>(event);
        if (isVisible() && (altDigit(key) >= 0 || key->key() == Qt::Key_Escape))
            event->accept();
        return false;
    }
    case QEvent::KeyPress:
        if (handleKey(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::FocusOut:
        if (!offered_)
            close();
        return false;
    case QEvent::Hide: close(); return false;
    default: return false;
    }
}

} // namespace assist
