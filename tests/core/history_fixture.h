#pragma once

#include "history/history.h"
#include "store/record.h"
#include "trainer_fixture.h"

#include <vector>

// A trainer whose data folder is the temporary folder, so it keeps its
// review history there, on a clock the test sets.
class HistoryTest : public TrainerTest {
protected:
    static constexpr qint64 kT0 = 1'780'000'000; // 2026-05-28, UTC
    static constexpr qint64 kDay = 24 * 60 * 60;

    void SetUp() override
    {
        TrainerTest::SetUp();
        trainer.setDataFolder(folder.path(QString()), true);
        trainer.setClock([this] { return clock; });
    }

    QString historyFile() const { return folder.path(QStringLiteral("history.sqlite")); }
    static QString key() { return QStringLiteral("words/default.txt"); }

    // The reviews the history holds for the word, read by a History of
    // its own.
    std::vector<history::Review> reviews(const QByteArray& word) const
    {
        history::History h(historyFile());
        const auto all = h.reviewsOf(key());
        if (all) {
            for (const history::WordReviews& w : *all) {
                if (w.word == word)
                    return w.reviews;
            }
        }
        return {};
    }
    qsizetype answersHeld() const
    {
        history::History h(historyFile());
        const auto all = h.answersSince(key(), 0);
        return all ? all->size() : -1;
    }

    // The right answer to the quiz question shown.
    QString rightAnswer() const
    {
        const int field = trainer.quiz().kind() == QuestionKind::Example ? kExample : kWord;
        return cp932::decode(ReadField(trainer.book().store, trainer.quiz().question(), field));
    }

    qint64 clock = kT0;
};
