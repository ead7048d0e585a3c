#include "interchange/export_file.h"
#include "store/failure.h"
#include "store/line_store.h"
#include "store/record.h"
#include "store/word_file.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

// Writes a word file out as CSV, Anki text or KVTML, so that scripts can
// hand what we export to the programs it is meant for.
//   export_words WORDFILE OUT csv|anki|kvtml
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QStringList forms = {QStringLiteral("csv"), QStringLiteral("anki"), QStringLiteral("kvtml")};
    if (args.size() != 4 || !forms.contains(args[3])) {
        std::fputs("usage: export_words WORDFILE OUT csv|anki|kvtml\n", stderr);
        return 2;
    }
    const auto format = args[3] == forms[0] ? interchange::ExportFormat::Csv
        : args[3] == forms[1]               ? interchange::ExportFormat::AnkiText
                                            : interchange::ExportFormat::Kvtml;
    try {
        LineStore store;
        LoadLines(store, args[1]);
        std::vector<QByteArray> records;
        for (int i = 0; i < VisibleRecords(store, 1001); ++i)
            records.push_back(store.ReadLine(i));
        interchange::writeExportFile(args[2], format, records);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.text()));
        return 1;
    }
    return 0;
}
