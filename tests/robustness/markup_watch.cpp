#include "markup_watch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextDocument>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace markup {

namespace {

long residentBytes()
{
    FILE* statm = std::fopen("/proc/self/statm", "r");
    long size = 0;
    long resident = 0;
    if (statm) {
        if (std::fscanf(statm, "%ld %ld", &size, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}

QString describe(const QWidget* widget)
{
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(widget->metaObject()->className()),
                                       widget->objectName());
}

bool inFileDialog(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (qobject_cast<const QFileDialog*>(w))
            return true;
    return false;
}

} // namespace

Tripwires::Tripwires(QString fifo) : fifo_(std::move(fifo))
{
    thread_ = std::thread([this, baseline = residentBytes()] { watch(baseline); });
}

Tripwires::~Tripwires()
{
    stop_ = true;
    thread_.join();
}

void Tripwires::watch(long baseline)
{
    const QByteArray fifo = QFile::encodeName(fifo_);
    while (!stop_) {
        const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            fifoOpened_ = true;
            ::close(fd);
        }
        if (residentBytes() - baseline > 768L * 1024 * 1024) {
            std::fputs("markup test: memory grew by 768 MB, an image read from a device?\n", stderr);
            std::_Exit(86);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

namespace {

// Plain text as ui::setPlainToolTip makes a tooltip of it: escaped, its
// line breaks <br>, inside <qt>…</qt>; or text no markup would change.
bool plainToolTip(const QString& tip)
{
    const QString open = QStringLiteral("<qt>"), close = QStringLiteral("</qt>");
    if (!tip.startsWith(open) || !tip.endsWith(close))
        return !Qt::mightBeRichText(tip);
    QString inner = tip.mid(open.size(), tip.size() - open.size() - close.size());
    inner.remove(QStringLiteral("<br>"));
    return !inner.contains(QLatin1Char('<')) && !inner.contains(QLatin1Char('>'));
}

} // namespace

QStringList markupRisks()
{
    QStringList risks;
    for (const QWidget* w : QApplication::allWidgets()) {
        if (!w->isVisible() || inFileDialog(w))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(w);
            label && !label->text().isEmpty() && label->textFormat() != Qt::PlainText)
            risks << describe(w) + QStringLiteral(" reads its text as markup: ") + label->text();
        if (const auto* box = qobject_cast<const QMessageBox*>(w); box && box->textFormat() != Qt::PlainText)
            risks << describe(w) + QStringLiteral(" reads its text as markup: ") + box->text();
        if (!plainToolTip(w->toolTip()) || Qt::mightBeRichText(w->whatsThis()))
            risks << describe(w) + QStringLiteral(" has a tooltip read as markup: ") + w->toolTip();
        // Qt's own delegate draws an item's text as it stands; another one
        // may not.
        if (const auto* view = qobject_cast<const QAbstractItemView*>(w); view && view->itemDelegate()) {
            const char* delegate = view->itemDelegate()->metaObject()->className();
            if (qstrcmp(delegate, "QStyledItemDelegate") != 0)
                risks << describe(w) + QStringLiteral(" draws its items with ")
                        + QString::fromLatin1(delegate);
        }
    }
    return risks;
}

RealBoxes::RealBoxes(const QString& startFolder) : QtDialogs(startFolder)
{
    QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
    poll_.start(10);
}

std::optional<QString> RealBoxes::openFileName(const QString&)
{
    if (fileAnswers.empty())
        return std::nullopt;
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<QString> RealBoxes::saveFileName(const QString& title)
{
    return openFileName(title);
}

std::optional<Dialogs::FileChoice> RealBoxes::chooseFile(const QString& title, const QStringList&, bool)
{
    const std::optional<QString> path = openFileName(title);
    if (!path)
        return std::nullopt;
    return FileChoice{*path, 0};
}

void RealBoxes::look()
{
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
        ticks_ = 0;
        return;
    }
    // A few turns of the event loop: laid out and drawn, with whatever a
    // text read as markup would have loaded.
    if (++ticks_ < 4)
        return;
    ticks_ = 0;
    Shown box{QString::fromLatin1(dialog->metaObject()->className()), {}, markupRisks()};
    if (auto* message = qobject_cast<QMessageBox*>(dialog)) {
        box.text = message->text();
        shown.push_back(box);
        message->button(QMessageBox::Ok)->click();
        return;
    }
    QStringList parts;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        parts << label->text();
    for (const QLineEdit* edit : dialog->findChildren<QLineEdit*>())
        parts << edit->text();
    for (const QPlainTextEdit* list : dialog->findChildren<QPlainTextEdit*>())
        parts << list->toPlainText();
    box.text = parts.join(QLatin1Char('\n'));
    shown.push_back(box);
    dialog->reject();
}

} // namespace markup
