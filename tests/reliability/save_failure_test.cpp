#include "read_only.h"
#include "saved_store.h"
#include "store/failure.h"
#include "store/line_store.h"
#include "store/word_file.h"
#include "support/file_size_limit.h"
#include "support/fixtures.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

ino_t inodeOf(const QString& path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

QString saveFailure(const LineStore& store, const QString& path)
{
    try {
        SaveLines(store, path);
    } catch (const Failure& f) {
        return f.text();
    }
    return QStringLiteral("<saved>");
}

LineStore storeOf(quint32 k)
{
    LineStore store;
    store.setText(savedStore(k));
    return store;
}

class SaveFailure : public ::testing::Test {
protected:
    void SetUp() override { folder.write(QStringLiteral("words/w.txt"), old); }
    QString target() const { return folder.path(QStringLiteral("words/w.txt")); }
    QString cannotCreate() const { return QStringLiteral("ファイル %1 を作成できません").arg(target()); }
    QStringList filesInWords() const
    {
        return QDir(folder.path(QStringLiteral("words"))).entryList(QDir::Files | QDir::Hidden);
    }
    // Runs the saver child under a file-size limit; returns its output.
    QString saveUnderLimit(qint64 bytes, quint32 k, int expectedExit)
    {
        QProcess child;
        child.start(QStringLiteral(STORE_SAVER),
                    {QStringLiteral("limited"), target(), QString::number(bytes), QString::number(k)});
        EXPECT_TRUE(child.waitForFinished(30000));
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << "killed: SIGXFSZ was not ignored";
        EXPECT_EQ(child.exitCode(), expectedExit);
        return QString::fromUtf8(child.readAllStandardOutput());
    }

    TempFolder folder;
    const QByteArray old = savedStore(1);
};

TEST_F(SaveFailure, FileSizeLimitRefusesTheSaveAndKeepsTheOldFile)
{
    const quint32 k = 7;
    const qint64 size = savedStore(k).size();
    ASSERT_GT(size, 4096) << "a store bigger than one write buffer";

    // One byte short of the whole store: the save fails as a whole.
    EXPECT_EQ(saveUnderLimit(size - 1, k, 3), cannotCreate());
    EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), old);
    EXPECT_EQ(filesInWords(), QStringList{QStringLiteral("w.txt")});

    // A limit of the store's very size is enough.
    EXPECT_EQ(saveUnderLimit(size, k, 0), QString());
    EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), savedStore(k));

    // Without a limit, the next save writes everything.
    SaveLines(storeOf(k + 2), target());
    EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), savedStore(k + 2));
}

// A folder that takes no new file rules out the atomic save, but the word
// file itself can still be written: in place, the same file throughout.
TEST_F(SaveFailure, AWritableFileInAFolderThatTakesNoNewFileIsSavedInPlace)
{
    const ino_t inode = inodeOf(target());
    {
        ReadOnly readOnly(folder.path(QStringLiteral("words")));
        if (!readOnly.effective())
            GTEST_SKIP() << "cannot make a folder read-only here (root without the immutable attribute)";
        // Longer, then shorter than before: the end of a longer old content
        // must not stay behind.
        for (const quint32 k : {7u, 4u}) {
            ASSERT_EQ(saveFailure(storeOf(k), target()), QStringLiteral("<saved>"));
            EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), savedStore(k));
        }
        ASSERT_GT(savedStore(7).size(), savedStore(4).size());

        // Cut short by a file-size limit, the old content is put back.
        {
            FileSizeLimit limit(rlim_t(savedStore(4).size() + 100));
            ASSERT_TRUE(limit.ok());
            EXPECT_EQ(saveFailure(storeOf(7), target()), cannotCreate());
        }
        EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), savedStore(4));

        // A new file in that folder cannot be made at all.
        const QString other = folder.path(QStringLiteral("words/new.txt"));
        EXPECT_EQ(saveFailure(storeOf(4), other), QStringLiteral("ファイル %1 を作成できません").arg(other));
    }
    EXPECT_EQ(inodeOf(target()), inode);
    EXPECT_EQ(filesInWords(), QStringList{QStringLiteral("w.txt")});
    // With the folder writable again, saves are atomic: a new file.
    SaveLines(storeOf(9), target());
    EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), savedStore(9));
    EXPECT_NE(inodeOf(target()), inode);
}

TEST_F(SaveFailure, AReadOnlyFileInAFolderThatTakesNoNewFileIsRefused)
{
    {
        ReadOnly readOnlyFile(target());
        ReadOnly readOnlyFolder(folder.path(QStringLiteral("words")));
        if (!readOnlyFile.effective() || !readOnlyFolder.effective())
            GTEST_SKIP() << "cannot make a file read-only here (root without the immutable attribute)";
        EXPECT_EQ(saveFailure(storeOf(4), target()), cannotCreate());
    }
    EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), old);
}

TEST_F(SaveFailure, ReadOnlyFileRefusesTheSaveAndKeepsItsBytes)
{
    {
        ReadOnly readOnly(target());
        if (!readOnly.effective())
            GTEST_SKIP() << "cannot make a file read-only here (root without the immutable attribute)";
        EXPECT_EQ(saveFailure(storeOf(4), target()), cannotCreate());
        // Named in the message as the learner knows it.
        const QString shown = QStringLiteral("words\\w.txt");
        try {
            SaveLines(storeOf(4), target(), shown);
            ADD_FAILURE() << "saved over a read-only file";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.text(), QStringLiteral("ファイル %1 を作成できません").arg(shown));
        }
    }
    EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), old);
    EXPECT_EQ(filesInWords(), QStringList{QStringLiteral("w.txt")});
    SaveLines(storeOf(4), target());
    EXPECT_EQ(folder.read(QStringLiteral("words/w.txt")), savedStore(4));
}

} // namespace
