#pragma once

#include "interchange/import_rows.h"

#include "store/limits.h"

#include <QByteArray>
#include <QString>
#include <vector>

class LineStore;

// What an import would do, decided before anything changes: the records to
// append, and for every other row its line and the reason in words the
// learner can act on. A row passes exactly the checks a registration makes,
// plus those a typed word never needs (a character the word file cannot
// hold, a part of speech that is none of ours).
namespace interchange {

struct RefusedRow {
    int line = 0;
    QString reason;
};

struct ImportPlan {
    // CP932 record lines exactly as registration writes them:
    // word,mean,example,examplemean,part,0,0.
    std::vector<QByteArray> records;
    // In file order.
    std::vector<RefusedRow> refused;
};

// `registeredWords` are the CP932 words (field 1) of the records the
// registration scan sees; `room` is how many more it accepts. Words are
// compared byte for byte after conversion to CP932, as registration does,
// against the registered words and against the rows already accepted.
ImportPlan planImport(const std::vector<ImportRow>& rows, const std::vector<QByteArray>& registeredWords,
                      int room);

// The same against a word store, with the registration scan's words and room.
ImportPlan planImport(const std::vector<ImportRow>& rows, const LineStore& store);

} // namespace interchange
