// A history that cannot be written never costs the learner a count: the
// quiz goes on, the word file keeps every answer, the learner is told once
// in Japanese why the history missed them, and nothing waits for it.

#include "history_fixture.h"
#include "read_only.h"

#include <QProcess>
#include <QRandomGenerator>
#include <functional>
#include <memory>
#include <sys/stat.h>

namespace {

// A history of one answer to a word of another word file.
void makeHistory(const QString& file)
{
    history::History h(file);
    history::Change change = h.change();
    change.answer(QStringLiteral("words/other.txt"),
                  {1'700'000'000, "kiwi", history::Place::QuizSpelling, true, false, 3});
    ASSERT_TRUE(change.commit());
}

struct Fault {
    const char* name;
    // Breaks the history at `file`; what it returns holds the fault while
    // it lives.
    std::function<std::shared_ptr<void>(const QString& file)> make;
    const char* reason; // as the message gives it
    bool keepsBytes; // the file is left exactly as it was
};

std::shared_ptr<void> none()
{
    return {};
}

const Fault kFaults[] = {
    {"read-only",
     [](const QString& file) {
         makeHistory(file);
         auto guard = std::make_shared<ReadOnly>(file);
         EXPECT_TRUE(guard->effective());
         return std::shared_ptr<void>(guard);
     },
     "書き込みが禁止されています", true},
    {"a folder",
     [](const QString& file) {
         QDir().mkpath(file);
         return none();
     },
     "通常のファイルではありません", false},
    {"a FIFO",
     [](const QString& file) {
         EXPECT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
         return none();
     },
     "通常のファイルではありません", false},
    {"truncated",
     [](const QString& file) {
         makeHistory(file);
         QFile f(file);
         EXPECT_TRUE(f.resize(f.size() / 2));
         return none();
     },
     "ファイルが壊れています", true},
    {"garbage",
     [](const QString& file) {
         QFile f(file);
         EXPECT_TRUE(f.open(QIODevice::WriteOnly));
         QByteArray bytes(64 * 1024, '\0');
         QRandomGenerator rng(21);
         for (char& c : bytes)
             c = char(rng.bounded(256));
         f.write(bytes);
         return none();
     },
     "ファイルが壊れています", true},
    {"locked by another program for 10 s",
     [](const QString& file) {
         makeHistory(file);
         auto holder = std::shared_ptr<QProcess>(new QProcess, [](QProcess* p) {
             p->kill();
             p->waitForFinished();
             delete p;
         });
         holder->start(QStringLiteral(HISTORY_CHILD), {QStringLiteral("hold"), file, QStringLiteral("10")});
         EXPECT_TRUE(holder->waitForReadyRead(20000));
         EXPECT_EQ(holder->readLine().trimmed(), "held");
         return std::shared_ptr<void>(holder);
     },
     "ほかのプログラムが使用中です", false},
    {"on a full disk",
     [](const QString&) {
         // Room for the word file's saves and copies, none for the
         // history's pages.
         auto limit = std::make_shared<FileSizeLimit>(6000);
         EXPECT_TRUE(limit->ok());
         return std::shared_ptr<void>(limit);
     },
     "ディスクに空きがありません", false},
};

QByteArray bytesOf(const QString& file)
{
    QFile f(file);
    return QFileInfo(file).isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(HistoryTest, AHistoryThatCannotBeWrittenCostsNoCountAndIsToldOnce)
{
    for (const Fault& fault : kFaults) {
        SCOPED_TRACE(fault.name);
        QFile::remove(historyFile());
        QDir(historyFile()).removeRecursively();
        // A new run: its trouble is told once again.
        Trainer run(folder.prefsFile());
        ScriptedQuestions learnerOfRun;
        run.setQuestions(&learnerOfRun);
        run.setDataFolder(folder.path(QString()), true);
        folder.write(QString::fromLatin1(kWordFile), lines({"apple,りんご,,,0,0,0", "pear,梨,,,0,0,0"}));
        folder.writePrefs("words\\default.txt");
        run.start();
        Options options = run.options();
        options.order = QuizOrder::InTurn;
        run.setOptions(options);

        const std::shared_ptr<void> held = fault.make(historyFile());
        const QByteArray before = bytesOf(historyFile());
        run.switchTab(Tab::Quiz);
        run.answerQuiz(QStringLiteral("apple"));
        run.answerQuiz(QStringLiteral("pear"));
        run.answerQuiz(QStringLiteral("wrong"));
        run.nextQuestion();
        // The due filter reads the history, and says nothing new about it.
        options.filter = QuizFilter::Due;
        run.setOptions(options);
        run.switchTab(Tab::Quiz);
        ASSERT_TRUE(run.quiz().asked()) << "the words answered are due from their counts";
        EXPECT_EQ(run.quiz().question(), 0) << "apple, right once in two, is the more overdue";
        run.answerQuiz(QStringLiteral("apple"));
        run.switchTab(Tab::List);

        EXPECT_EQ(folder.read(QString::fromLatin1(kWordFile)),
                  lines({"apple,りんご,,,0,3,2", "pear,梨,,,0,1,1"}));
        const std::vector<QString> reported = learnerOfRun.reported();
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_TRUE(reported[0].startsWith(QStringLiteral("学習履歴 "))) << reported[0].toStdString();
        EXPECT_TRUE(reported[0].contains(QString::fromUtf8(fault.reason))) << reported[0].toStdString();
        if (fault.keepsBytes) {
            EXPECT_EQ(bytesOf(historyFile()), before) << "a file we cannot use is left as it is";
        }
    }
}

TEST_F(HistoryTest, ALockThatEndsLetsTheNextAnswersIn)
{
    makeHistory(historyFile());
    open(lines({"apple,りんご,,,0,0,0"}));
    startQuiz();
    {
        QProcess holder;
        holder.start(QStringLiteral(HISTORY_CHILD),
                     {QStringLiteral("hold"), historyFile(), QStringLiteral("10")});
        ASSERT_TRUE(holder.waitForReadyRead(20000));
        quizAnswer(QStringLiteral("apple"));
        holder.kill();
        holder.waitForFinished();
    }
    quizAnswer(QStringLiteral("apple"));
    EXPECT_EQ(wordFile(), lines({"apple,りんご,,,0,2,2"}));
    EXPECT_EQ(reviews("apple").size(), 1u) << "the answer after the lock ended is kept";
    EXPECT_EQ(learner.reported().size(), 1u);
}
