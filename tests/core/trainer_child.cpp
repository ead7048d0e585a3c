// The second program of the trainer's crash test:
//
//   trainer_child FOLDER
//     starts a trainer on FOLDER/words/default.txt with FOLDER as its data
//     folder, and answers the quiz there as a learner would, in turn and
//     right and wrong by turns, without end; prints "answering" once the
//     first answer is counted. It is killed at a random moment.
#include "core/trainer.h"
#include "store/codec.h"
#include "store/record.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir::setCurrent(folder);
    Trainer trainer(QDir(folder).filePath(QStringLiteral("config/plimopref.ini")));
    trainer.setDataFolder(folder, true);
    trainer.start();
    Options options = trainer.options();
    options.order = QuizOrder::InTurn;
    trainer.setOptions(options);
    trainer.switchTab(Tab::Quiz);
    for (long n = 0;; ++n) {
        const QuizSession& quiz = trainer.quiz();
        if (!quiz.answering())
            trainer.nextQuestion();
        const QString word = cp932::decode(ReadField(trainer.book().store, quiz.question(), kWord));
        trainer.answerQuiz(n % 3 == 0 ? word + QStringLiteral("x") : word);
        if (n == 0) {
            std::printf("answering\n");
            std::fflush(stdout);
        }
    }
}
