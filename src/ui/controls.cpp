#include "ui/controls.h"

#include "ui/group_frame_style.h"
#include "ui/plain_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>

namespace ui {

QFont designFont(int pixelHeight)
{
    // The face is resolved once; asking the font database for it per control
    // would repeat the same fontconfig matching for every one of them.
    static const QString family = [] {
        const QString face = QString::fromUtf8(kFontFace);
        if (QFontDatabase::hasFamily(face))
            return face;
        for (const QString& standIn : QFont::substitutes(face))
            if (QFontDatabase::hasFamily(standIn))
                return standIn;
        return face;
    }();
    QFont font(family);
    font.setPixelSize(pixelHeight);
    // Unhinted outlines keep every advance and line height of the slight
    // hinting fontconfig gives by default, so layouts and click areas stay
    // the same, and the first glyph drawn need not wait for FreeType's
    // auto-hinter to study dozens of reference glyphs of the CJK face.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void installFontFallback()
{
    QFont::insertSubstitutions(QString::fromUtf8(kFontFace),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                                QStringLiteral("VL PGothic")});
}

void placeAsPanel(QWidget* panel)
{
    panel->setGeometry(8, 24, 481, 313);
}

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // A window is moved by its frame (as far as the frame is known yet): the
    // frame is what the learner sees centred.
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

namespace {

template <typename W> W* named(W* widget, const char* name, int fontPx)
{
    widget->setObjectName(QString::fromLatin1(name));
    if (fontPx > 0)
        widget->setFont(designFont(fontPx));
    return widget;
}

} // namespace

QWidget* panel(QWidget* parent, const char* name)
{
    auto* w = named(new QWidget(parent), name, 0);
    placeAsPanel(w);
    return w;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int fontPx)
{
    auto* l = named(plainLabel(caption, parent), name, fontPx);
    l->move(left, top);
    l->adjustSize();
    return l;
}

void setCaption(QLabel* label, const QString& caption)
{
    label->setText(caption);
    label->adjustSize();
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                    int height, int fontPx)
{
    auto* b = named(new QPushButton(caption, parent), name, fontPx);
    b->setGeometry(left, top, width, height);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* edit(QWidget* parent, const char* name, int left, int top, int width, int height, int fontPx)
{
    // A line edit lays out its empty text while it is being built, in the
    // application's face, before it takes its parent's: that would read a
    // second font file at start for nothing, as every edit of ours shows the
    // design face. The application's face is back once the edit exists.
    const QFont application = QApplication::font();
    QApplication::setFont(parent->font());
    auto* e = new QLineEdit(parent);
    QApplication::setFont(application);
    named(e, name, fontPx);
    e->setGeometry(left, top, width, height);
    return e;
}

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                    int height)
{
    auto* g = named(new QGroupBox(caption, parent), name, 0);
    useGroupFrameStyle(g);
    g->setGeometry(left, top, width, height);
    return g;
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                    int height)
{
    auto* r = named(new QRadioButton(caption, parent), name, 0);
    r->setGeometry(left, top, width, height);
    return r;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                    int height)
{
    auto* c = named(new QCheckBox(caption, parent), name, 0);
    c->setGeometry(left, top, width, height);
    return c;
}

QTableWidget* grid(QWidget* parent, const char* name, int rows, std::initializer_list<int> widths)
{
    auto* g = new QTableWidget(rows, int(widths.size()), parent);
    setUpGrid(g, name, widths);
    return g;
}

void setUpGrid(QTableView* g, const char* name, std::initializer_list<int> widths)
{
    constexpr int kRowHeight = 18;
    named(g, name, 0);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectItems);
    g->setWordWrap(false);
    // Tab leaves the grid for the next control, as everywhere else; the
    // arrow keys, Page Up/Down, Home and End move inside it.
    g->setTabKeyNavigation(false);
    g->setShowGrid(true);

    QHeaderView* rowsHeader = g->verticalHeader();
    rowsHeader->hide();
    rowsHeader->setMinimumSectionSize(1);
    rowsHeader->setDefaultSectionSize(kRowHeight);
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* heading = g->horizontalHeader();
    heading->setFixedHeight(kRowHeight);
    heading->setMinimumSectionSize(1);
    heading->setHighlightSections(false);
    heading->setDefaultSectionSize(32); // before the widths: setting it resets them
    int column = 0;
    for (const int width : widths)
        g->setColumnWidth(column++, width);
}

void setCellText(QTableWidget* grid, int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = grid->item(row, column))
        item->setText(text);
    else
        grid->setItem(row, column, new QTableWidgetItem(text));
}

} // namespace ui
