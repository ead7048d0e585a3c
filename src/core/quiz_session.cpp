#include "core/quiz_session.h"

#include "core/answer.h"
#include "core/word_book.h"
#include "store/codec.h"
#include "store/failure.h"
#include "store/order_list.h"
#include "store/random.h"
#include "store/record.h"

namespace {

// The filter is decided first; its counters are converted even for records
// the question kind would turn away, so a damaged counter stops the pool
// wherever it stands.
bool qualifies(const LineStore& store, int index, const Options& options)
{
    if (options.filter == QuizFilter::NeverAnswered) {
        if (StrToInt(ReadField(store, index, kAsked)) != 0)
            return false;
    } else if (options.filter == QuizFilter::LowAccuracy) {
        const int asked = StrToInt(ReadField(store, index, kAsked));
        const int correct = StrToInt(ReadField(store, index, kCorrect));
        if (asked == 0 || double(correct) * 100.0 / double(asked) > 60.0)
            return false;
    }
    if (options.kind == QuestionKind::Example)
        return !ReadField(store, index, kExample).isEmpty()
            && !ReadField(store, index, kExampleMean).isEmpty();
    return true;
}

} // namespace

void QuizSession::reset()
{
    *this = QuizSession{};
}

bool QuizSession::start(const WordBook& book, OrderList& pool, const Options& options, Random& rng,
                        const std::vector<int>& due)
{
    reset();
    pool.clear();
    int p = 0;
    if (options.filter == QuizFilter::Due) {
        // The schedule has read every counter already; the kind decides.
        Options kindOnly = options;
        kindOnly.filter = QuizFilter::All;
        for (const int n : due) {
            if (p < OrderList::kSlots && qualifies(book.store, n, kindOnly))
                pool.WriteLine(p++, IntToStr(n));
        }
    } else {
        for (int n = 0; n < OrderList::kSlots && !book.store.ReadLine(n).isEmpty(); ++n) {
            if (qualifies(book.store, n, options))
                pool.WriteLine(p++, IntToStr(n));
        }
    }
    if (p == 0)
        return false;
    next(book, pool, options, rng);
    return true;
}

namespace {

QString headingOf(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::Example: return QStringLiteral("Q.  英訳せよ。");
    case QuestionKind::Dictation: return QStringLiteral("Q.  聞こえた単語のスペルを答えよ。");
    case QuestionKind::Spelling: break;
    }
    return QStringLiteral("Q.  次の単語のスペルを答えよ。");
}

} // namespace

void QuizSession::next(const WordBook& book, const OrderList& pool, const Options& options, Random& rng)
{
    kind_ = options.kind;
    heading_ = headingOf(kind_);
    hint_.clear();
    correction_.clear();
    answering_ = true;

    int n = 0;
    while (n < OrderList::kSlots && !pool.ReadLine(n).isEmpty())
        ++n;
    int pos = 0;
    if (options.order == QuizOrder::InTurn) {
        if (n == nextInTurn_)
            nextInTurn_ = 0;
        pos = nextInTurn_;
        nextInTurn_ = pos + 1;
        position_ = QStringLiteral("出題No  %1/%2").arg(nextInTurn_).arg(n);
    } else {
        pos = rng.Next(n);
        position_.clear();
    }
    // An empty pool has no number in its first slot: the conversion fails
    // as it does for any slot that holds none.
    question_ = StrToInt(pool.ReadLine(pos));
    const QString meaning = cp932::decode(ReadField(book.store, question_, kMean));
    switch (kind_) {
    case QuestionKind::Spelling: prompt_ = meaning; break;
    case QuestionKind::Example:
        prompt_ = cp932::decode(ReadField(book.store, question_, kExampleMean));
        break;
    case QuestionKind::Dictation:
        // The learner has only the sound: the meaning would be a second
        // question, the spelling the answer.
        prompt_ = QStringLiteral("（読み上げられた英単語を書き取ってください）");
        break;
    }
    silentPrompt_ = kind_ == QuestionKind::Dictation ? meaning : prompt_;
    spokenOnShow_.clear();
    if (kind_ == QuestionKind::Dictation) {
        // The example sentence holds the word: it waits for the verdict.
        hearQuestion(book, false);
        spokenOnShow_ = wordToHear_;
    }
}

void QuizSession::hearQuestion(const WordBook& book, bool withExample)
{
    wordToHear_ = cp932::decode(ReadField(book.store, question_, kWord));
    exampleToHear_ = withExample ? cp932::decode(ReadField(book.store, question_, kExample)) : QString();
}

int QuizSession::recordOfQuestion() const
{
    // Before the first question there is no record to look at; that fails
    // like the empty question it is.
    if (question_ < 0)
        throw Failure::notAnInteger({});
    return question_;
}

void QuizSession::hint(const WordBook& book)
{
    const QByteArray word = ReadField(book.store, recordOfQuestion(), kWord);
    // The first whole character, so a word that starts with a double-byte
    // character does not show half of it.
    const QByteArray first = cp932::firstCharacter(word);
    hint_ = first.isEmpty()
        ? QStringLiteral("この単語にはスペルが登録されていません")
        : QStringLiteral("最初のスペルは 「") + cp932::decode(first) + QStringLiteral("」");
}

QuizSession::Verdict QuizSession::judge(const WordBook& book, const QString& typed) const
{
    if (typed.isEmpty())
        return Verdict::Empty;
    // A dictation answer is a spelling, judged like one.
    const QByteArray expected =
        ReadField(book.store, recordOfQuestion(), kind_ == QuestionKind::Example ? kExample : kWord);
    return answerMatches(typed, expected) ? Verdict::Right : Verdict::Wrong;
}

QuizSession::Verdict QuizSession::answer(WordBook& book, const OrderList& pool, const Options& options,
                                         Random& rng, const QString& typed)
{
    if (!answering_)
        return Verdict::Empty;
    const Verdict verdict = judge(book, typed);
    if (verdict != Verdict::Empty)
        hearQuestion(book, true);
    if (verdict == Verdict::Right) {
        book.countAnswer(question_, true);
        next(book, pool, options, rng);
    } else if (verdict == Verdict::Wrong) {
        correction_ = QStringLiteral("正解：") + cp932::decode(ReadField(book.store, question_, kWord));
        answering_ = false;
        book.countAnswer(question_, false);
    }
    return verdict;
}
