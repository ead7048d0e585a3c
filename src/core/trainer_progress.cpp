// The numbers of the progress view, from the history and the schedule.

#include "core/trainer.h"

#include "history/history.h"
#include "review/schedule.h"

namespace {

// When the history cannot be used without naming a file: no data folder.
const QString kNoDataFolder =
    QStringLiteral("データフォルダーが使えないため、学習の記録を読み書きできません。");

} // namespace

Progress Trainer::progress(qint64 now, const QTimeZone& zone)
{
    Progress out;
    out.today = review::LocalDays(now, zone, 0).today();
    const std::vector<review::RecordCounts> records = review::recordsOf(state_.book.store);
    std::vector<history::WordReviews> reviews;
    std::vector<history::AnswerMark> answers;
    std::vector<history::TestResult> tests;

    history::History* h = history();
    const QString& wordFile = state_.book.path.file();
    if (!h) {
        out.problem = kNoDataFolder;
    } else if (!wordFile.isEmpty()) {
        const QString key = history::wordFileKey(dataFolder_, wordFile);
        // The first answer of the longest period starts at its first local
        // moment; the rows before it are not read.
        const review::LocalDays period(now, zone, Progress::kLongestPeriod - 1);
        const qint64 since = period.startOf(period.first());
        auto readReviews = h->reviewsOf(key);
        auto readAnswers = readReviews ? h->answersSince(key, since) : std::nullopt;
        auto readTests = readAnswers ? h->testResults(key) : std::nullopt;
        if (readTests) {
            reviews = std::move(*readReviews);
            answers = std::move(*readAnswers);
            tests = std::move(*readTests);
        } else if (h->lastError()) {
            out.problem = h->lastError()->message();
        }
        // No error: there is no history yet, and nothing to show of it.
    }

    const review::Schedule schedule(records, reviews);
    out.days = review::answersPerDay(answers, now, Progress::kLongestPeriod, zone);
    out.tests = review::testSeries(tests, zone);
    out.counts = review::wordCounts(schedule, now, zone);
    out.forecast = review::dueForecast(schedule, now, Progress::kForecastDays, zone);
    return out;
}
