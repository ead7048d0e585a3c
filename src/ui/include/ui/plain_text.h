#pragma once

#include <QMessageBox>
#include <QString>

class QLabel;
class QProgressDialog;
class QWidget;

// Words, meanings, example sentences and paths come from files others wrote
// and from what the learner typed, and every one of them reaches a label or
// a box sooner or later. Left to itself Qt guesses whether a text is markup
// (Qt::AutoText), and markup may name images: "<img src=/some/fifo>" in a
// meaning would have the box open that file on the GUI thread, a FIFO
// freezing the window and /dev/zero filling memory. So every label-like
// widget of the program is made here, showing its text as it stands.
namespace ui {

// A label that shows `text` as it stands, with no size or place of its own.
QLabel* plainLabel(const QString& text, QWidget* parent);

// A modal message box showing `text` as it stands, centred on the screen
// once its size is settled. A long word or path without spaces wraps
// anywhere rather than widening the box past the screen.
class MessageBox : public QMessageBox {
public:
    MessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons);

protected:
    void showEvent(QShowEvent* event) override;
};

// A tooltip showing `text` as it stands. Qt guesses markup in a tooltip too,
// so the text is escaped and given as markup on purpose: "<b>" and "&lt;"
// show as those characters. An empty text removes the tooltip.
void setPlainToolTip(QWidget* widget, const QString& text);

// A progress dialog's label text as it stands (its label is replaced by one
// of ours).
void showPlain(QProgressDialog& dialog);

} // namespace ui
