#pragma once

#include "interchange/import_rows.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

// The forms we read and write, one reader and one writer each; the public
// functions choose among them.
namespace interchange {

// Asks Progress now and then while a reader works through its input, never
// so often that asking costs more than reading, and never so seldom that a
// cancel waits for long: at least every kStep units or every kCalls calls.
class ProgressGate {
public:
    ProgressGate(const Progress& progress, qint64 total) : progress_(progress), total_(total) { }

    // Reading has come to `done`; raises Cancelled when the answer is no.
    void at(qint64 done)
    {
        if (!progress_ || (done - asked_ < kStep && ++calls_ < kCalls))
            return;
        asked_ = done;
        calls_ = 0;
        if (!progress_(done, total_))
            throw Cancelled();
    }

private:
    static constexpr qint64 kStep = 256 * 1024;
    static constexpr int kCalls = 4096;
    const Progress& progress_;
    qint64 total_;
    qint64 asked_ = 0;
    int calls_ = 0;
};

// Readers, by form. `utf8` is the whole text, without a byte-order mark.
void readDelimited(QByteArrayView utf8, ImportSink& sink, ProgressGate& gate);
void readKvtml(const QByteArray& bytes, const QString& name, ImportSink& sink, ProgressGate& gate);

// The plain text of a field Anki wrote as HTML: tags dropped, the common
// entities and numeric character references replaced.
QString plainFromHtml(QString text);

// Writers, by form.
QByteArray csvBytes(const std::vector<QByteArray>& records);
QByteArray ankiTextBytes(const std::vector<QByteArray>& records);
QByteArray kvtmlBytes(const std::vector<QByteArray>& records, const QString& title);

} // namespace interchange
