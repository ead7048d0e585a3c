#include "core/exam_session.h"

#include "core/answer.h"
#include "core/word_book.h"
#include "store/codec.h"
#include "store/order_list.h"
#include "store/random.h"
#include "store/record.h"

namespace {

int recordOfQuestion(const OrderList& order, int questionNo)
{
    return StrToInt(order.ReadLine(questionNo - 1)) - 1;
}

// Fills the order with the record numbers 1..M and shuffles them: every
// position is exchanged with one drawn from the whole list, its own
// included.
void buildOrder(const WordBook& book, OrderList& order, Random& rng)
{
    rng.Randomize();
    const int m = book.visibleRecords(kOrderSlots);
    for (int i = 0; i < m; ++i)
        order.WriteLine(i, QByteArray::number(i + 1));
    // Every position is exchanged with one drawn from the whole list, its
    // own included.
    for (int j = 0; j < m; ++j) {
        const int d = rng.Next(m);
        const QByteArray a = order.ReadLine(j);
        order.WriteLine(j, order.ReadLine(d));
        order.WriteLine(d, a);
    }
}

} // namespace

bool ExamSession::orderStillFits(int length, const WordBook& book, const OrderList& order) const
{
    if (static_cast<int>(lastOrder_.size()) < length)
        return false;
    const int records = book.visibleRecords(kOrderSlots);
    for (int slot = 0; slot < length; ++slot) {
        bool ok = false;
        const int number = order.ReadLine(slot).toInt(&ok, 10);
        if (!ok || number != lastOrder_[static_cast<size_t>(slot)] || number > records)
            return false;
    }
    return true;
}

bool ExamSession::start(ExamKind kind, int length, const WordBook& book, OrderList& order, Random& rng)
{
    if (book.visibleRecords(kOrderSlots) < length)
        return false;
    // The time attack and the complete run ask the last normal test's order
    // again. When the list holds none any more (the quiz's pool, another word
    // file, records deleted since), they get a fresh one, so they never read
    // a quiz index as a record number or a slot that holds none.
    if (kind == ExamKind::Normal || !orderStillFits(length, book, order)) {
        buildOrder(book, order, rng);
        lastOrder_.clear();
        for (int slot = 0; !order.ReadLine(slot).isEmpty(); ++slot)
            lastOrder_.push_back(order.ReadLine(slot).toInt());
    }
    kind_ = kind;
    length_ = length;
    answers_.assign(size_t(length), QString());
    questionNo_ = 1;
    score_ = 0;
    timeLeft_ = kTimeLimit;
    lastAnswered_.clear();
    phase_ = Phase::Running;
    ask(book, order);
    return true;
}

void ExamSession::ask(const WordBook& book, const OrderList& order)
{
    record_ = recordOfQuestion(order, questionNo_);
    prompt_ = cp932::decode(ReadField(book.store, record_, kMean));
}

ExamSession::Answered ExamSession::answer(WordBook& book, const OrderList& order, const QString& typed)
{
    if (phase_ != Phase::Running || typed.isEmpty())
        return Answered::Nothing;
    // The answer is judged and counted for the record whose meaning is on
    // the screen.
    const QByteArray word = ReadField(book.store, record_, kWord);
    const bool right = answerMatches(typed, word);
    book.countAnswer(record_, right);
    if (right)
        ++score_;
    answers_[static_cast<size_t>(questionNo_ - 1)] = typed;
    lastAnswered_ = cp932::decode(ReadField(book.store, record_, kMean) + ':' + word);
    ++questionNo_;

    // Every kind ends after its N answers (the time attack earlier when its
    // time is up), so the score never exceeds the rows listed.
    if (questionNo_ > length_) {
        finish(book, order, false);
        return Answered::Ended;
    }
    ask(book, order);
    return Answered::Counted;
}

bool ExamSession::tick(const WordBook& book, const OrderList& order)
{
    if (phase_ != Phase::Running || kind_ == ExamKind::Complete)
        return false;
    --timeLeft_;
    if (timeLeft_ >= 0)
        return false;
    finish(book, order, true);
    return true;
}

void ExamSession::abandon()
{
    if (phase_ == Phase::Running)
        phase_ = Phase::Idle;
}

void ExamSession::toStart()
{
    if (phase_ == Phase::Finished)
        phase_ = Phase::Idle;
}

void ExamSession::finish(const WordBook& book, const OrderList& order, bool timeUp)
{
    phase_ = Phase::Finished;
    switch (kind_) {
    case ExamKind::Normal:
        title_ = QStringLiteral("普通モード");
        subtitle_ = timeUp ? QStringLiteral("時間切れ") : QString();
        break;
    case ExamKind::TimeAttack:
        title_ = QStringLiteral("タイムアタック");
        subtitle_ = QStringLiteral("終了！");
        break;
    case ExamKind::Complete:
        title_ = QStringLiteral("全制覇モード");
        subtitle_ = QStringLiteral("全単語制覇！");
        break;
    }
    results_.clear();
    for (int r = 1; r <= length_; ++r) {
        const int rec = recordOfQuestion(order, r);
        const QByteArray word = ReadField(book.store, rec, kWord);
        const QString& typed = answerOf(r);
        results_.push_back({answerMatches(typed, word) ? QStringLiteral("○") : QStringLiteral("×"),
                            cp932::decode(ReadField(book.store, rec, kMean)), cp932::decode(word), typed});
    }
}

const QString& ExamSession::answerOf(int questionNo) const
{
    static const QString none;
    if (questionNo < 1 || questionNo > int(answers_.size()))
        return none;
    return answers_[static_cast<size_t>(questionNo - 1)];
}

QString ExamSession::questionCaption() const
{
    return QStringLiteral("第%1問").arg(questionNo_);
}

QString ExamSession::countdown() const
{
    if (kind_ == ExamKind::Complete)
        return QStringLiteral("あと∞秒");
    return QStringLiteral("あと%1秒").arg(timeLeft_);
}

QString ExamSession::scoreText() const
{
    return QStringLiteral("正解数　%1/ %2").arg(score_).arg(length_);
}
