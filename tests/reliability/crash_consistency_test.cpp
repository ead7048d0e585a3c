#include "saved_store.h"
#include "store/line_store.h"
#include "store/word_file.h"
#include "support/fixtures.h"

#include <QDir>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

namespace {

constexpr int kKills = 220;

// A saver child writes ever-changing stores to one word file until it is
// killed with SIGKILL at a random moment. Whatever moment that was, the file
// must hold one whole store the child (or we) saved, never an empty, cut or
// mixed one, and never an older one than before.
TEST(CrashConsistency, KilledSaverLeavesOneWholeStore)
{
    TempFolder folder;
    const QString file = folder.path(QStringLiteral("words.txt"));
    LineStore store;
    store.setText(savedStore(0));
    SaveLines(store, file);

    std::mt19937 rng(6); // fixed, so a failing run can be repeated
    std::uniform_int_distribution<int> delayMicros(0, 20000);
    quint32 last = 0;
    int roundsThatSaved = 0;
    for (int round = 0; round < kKills; ++round) {
        QProcess saver;
        saver.start(QStringLiteral(STORE_SAVER), {QStringLiteral("loop"), file, QString::number(last + 1)});
        ASSERT_TRUE(saver.waitForStarted());
        // Wait until it is about to save, then let it run for a while.
        ASSERT_TRUE(saver.waitForReadyRead(30000));
        QThread::usleep(static_cast<unsigned long>(delayMicros(rng)));
        ::kill(static_cast<pid_t>(saver.processId()), SIGKILL);
        ASSERT_TRUE(saver.waitForFinished(30000));
        ASSERT_EQ(saver.exitStatus(), QProcess::CrashExit);

        const QByteArray bytes = folder.read(QStringLiteral("words.txt"));
        const auto k = counterIn(bytes);
        ASSERT_TRUE(k.has_value()) << "round " << round << ": " << bytes.size()
                                   << " bytes without a whole first record";
        ASSERT_EQ(bytes, savedStore(*k)) << "round " << round << ": not the whole store " << *k;
        ASSERT_GE(*k, last) << "round " << round;
        if (*k != last)
            ++roundsThatSaved;
        last = *k;
    }
    EXPECT_GT(roundsThatSaved, 0);
    // A kill between naming the new file and renaming it over the old one
    // leaves that name behind (words.txt.XXXXXX); harmless, and rare.
    const qsizetype leftBehind =
        QDir(folder.path(QStringLiteral("."))).entryList(QDir::Files | QDir::Hidden).size() - 1;
    std::cout << "[ reliability ] " << kKills << " kills during saving, " << roundsThatSaved
              << " after new saves, " << last << " stores saved, file always one whole store, " << leftBehind
              << " temporary files left behind\n";
}

} // namespace
