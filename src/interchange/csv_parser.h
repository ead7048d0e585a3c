#pragma once

#include "forms.h"

#include <QByteArrayView>
#include <QStringList>
#include <csv.h>
#include <exception>
#include <functional>
#include <vector>

// RFC 4180 records out of delimited text, by libcsv, with what libcsv does
// not tell: the line where each record starts, and where a quote that was
// never closed began. Only the columns we read are kept, each cut at one
// character past kMaxFieldChars, so neither a line of millions of fields nor
// a field running to the end of the file is held in memory twice.
namespace interchange {

struct CsvRecord {
    int line = 0; // where it starts, from 1
    // The kept columns, in order (fewer when the record has fewer fields).
    QStringList cells;
    // Fields in the record, dropped and unkept ones included.
    qsizetype fields = 0;
    // Whether a field past the kept columns holds any text.
    bool moreText = false;
    // The line began with a byte-order mark: a second file starts here, as
    // when two exported files were put together.
    bool afterMark = false;
};

class CsvParser {
public:
    struct Columns {
        // Field indices (from 0) that are not ours (Anki's guid, note type,
        // deck, tags): skipped, and the columns behind them move up.
        std::vector<qsizetype> dropped;
        // How many columns after the dropped ones are kept.
        qsizetype kept = 5;
        // Whether the fields are HTML (for telling an unkept field blank).
        bool html = false;
    };
    // Called for each record as it ends; false stops the parse.
    using OnRecord = std::function<bool(CsvRecord&&)>;

    CsvParser(char separator, Columns columns);
    ~CsvParser();
    CsvParser(const CsvParser&) = delete;
    CsvParser& operator=(const CsvParser&) = delete;

    // Parses `text` from byte `from`, which begins line `firstLine`, to its
    // end. Returns the line where an unclosed quote began (its field then
    // runs to the end of the text), or 0.
    int parse(QByteArrayView text, qsizetype from, int firstLine, const OnRecord& each, ProgressGate& gate);

private:
    static void onField(void* field, size_t size, void* self);
    static void onRecord(int, void* self);
    void field(QByteArrayView bytes);
    void record();
    void feed(QByteArrayView bytes);
    bool insideQuote() const;

    csv_parser parser_{};
    Columns columns_;
    const OnRecord* onRecord_ = nullptr;
    bool stopped_ = false;
    std::exception_ptr pending_; // raised by a callback inside libcsv
    CsvRecord current_;
    int start_ = 0;
    qint64 ended_ = 0;
    bool afterMark_ = false;
};

} // namespace interchange
