#pragma once

#include <QString>
#include <initializer_list>

class QCheckBox;
class QFont;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QTableWidget;
class QWidget;

// Controls at their design positions. Every control gets its design name as
// object name, so it can be found by that name. Positions are pixels in the
// parent's client area; labels size themselves to their caption.
namespace ui {

inline constexpr const char* kFontFace = "ＭＳ Ｐゴシック";

// The design face at a pixel height. Where the face is missing, a
// metric-compatible Japanese face stands in (see installFontFallback).
QFont designFont(int pixelHeight);
// Maps the design face to IPAPGothic (fonts-ipafont-gothic) and the like.
void installFontFallback();

// The bounds every panel gets when shown.
void placeAsPanel(QWidget* panel);
// Moves a window to the middle of the primary screen's free area.
void centreOnScreen(QWidget& window);

QWidget* panel(QWidget* parent, const char* name);
QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int fontPx = 0);
QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                    int height, int fontPx = 0);
QLineEdit* edit(QWidget* parent, const char* name, int left, int top, int width, int height, int fontPx = 0);
QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                    int height);
// Unchecked: its owner checks one of its group.
QRadioButton* radio(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                    int height);
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                    int height);

// A grid of text cells: one heading row and no row numbers, every row
// 18 pixels high, the given column widths, cells that cannot be edited and
// do not wrap. Selection and column resizing are left to the caller.
QTableWidget* grid(QWidget* parent, const char* name, int rows, std::initializer_list<int> widths);
// The same look and keys for a view whose model is set already.
void setUpGrid(QTableView* grid, const char* name, std::initializer_list<int> widths);
// Sets the text of a cell, making its item when it has none yet.
void setCellText(QTableWidget* grid, int row, int column, const QString& text);

// Re-fits a label after its caption changed.
void setCaption(QLabel* label, const QString& caption);

} // namespace ui
