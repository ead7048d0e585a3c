// Writes a history for the benchmarks' word file: make_history ROWS OUTPUT
//
// ROWS answers to the words of make_word_file's 1,000 records ("word0" …
// "word999", the word file known as words/default.txt in the data folder),
// spread evenly over the year that ends now, four in five right, one in ten
// after the hint; and a finished test of each kind in turn every 500
// answers. What a learner who answers a few hundred words a day for a year
// leaves behind.
#include "history/history.h"

#include <QDateTime>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_history ROWS OUTPUT\n");
        return 2;
    }
    const qint64 rows = std::atoll(argv[1]);
    const QString file = QString::fromLocal8Bit(argv[2]);
    QFile::remove(file);
    const QString key = QStringLiteral("words/default.txt");
    const qint64 year = 365LL * 24 * 60 * 60;
    const qint64 start = QDateTime::currentSecsSinceEpoch() - year;
    history::History h(file);
    std::mt19937 rng(7);
    // In transactions of 10,000 rows: one for all would hold them all in
    // the WAL at once.
    for (qint64 done = 0; done < rows;) {
        history::Change change = h.change();
        for (const qint64 end = std::min(rows, done + 10'000); done < end; ++done) {
            const qint64 time = start + done * year / rows;
            change.answer(key,
                          {time, "word" + QByteArray::number(int(rng() % 1000)), history::Place::QuizSpelling,
                           rng() % 5 != 0, rng() % 10 == 0, int(rng() % 20)});
            if (done % 500 == 0) {
                const int kind = int(done / 500 % 3);
                const int length = 10 * (1 + int(done / 1500 % 3));
                change.testResult(key, {time, history::TestKind(kind), length, int(rng() % (length + 1))});
            }
        }
        if (!change.commit()) {
            std::fprintf(stderr, "make_history: %s\n",
                         qPrintable(h.lastError() ? h.lastError()->message() : QString()));
            return 1;
        }
    }
    return 0;
}
