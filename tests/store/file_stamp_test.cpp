#include "store/file_stamp.h"
#include "store/word_file.h"
#include "support/temp_folder.h"

#include <QFile>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/stat.h>

// Readable stamps in failure messages.
void PrintTo(const FileStamp& stamp, std::ostream* out)
{
    *out << "{state " << int(stamp.state) << ", " << stamp.size << " bytes, hash " << std::hex
         << stamp.contentHash << std::dec << "}";
}

namespace {

LineStore storeOf(const QByteArray& text)
{
    LineStore store;
    store.setText(text);
    return store;
}

// The stamp our load or save gives is the one the file has then, and a
// change by another program shows against it however soon it follows.
TEST(FileStamp, ChangesByOthersShowOwnOnesDoNot)
{
    TempFolder folder;
    const QString stored = QStringLiteral("words/w.txt");
    folder.write(QStringLiteral("words/w.txt"), "apple,a,,,0,1,1\r\n");
    LineStore store;
    const FileStamp loaded = LoadLines(store, stored);
    EXPECT_EQ(loaded.state, FileStamp::State::kRegular);
    EXPECT_EQ(loaded, stampOf(stored));

    store.WriteLine(0, "apple,a,,,0,2,1");
    const FileStamp saved = SaveLines(store, stored);
    EXPECT_NE(saved, loaded);
    EXPECT_EQ(saved, stampOf(stored));

    // Same size and, put back, the very same modification time: still seen.
    const QString name = folder.path(QStringLiteral("words/w.txt"));
    const QByteArray native = QFile::encodeName(name);
    struct stat before { };
    ASSERT_EQ(::stat(native.constData(), &before), 0);
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(12));
    ASSERT_EQ(file.write("9"), 1);
    file.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, native.constData(), times, 0), 0);
    EXPECT_NE(stampOf(stored), saved);

    // The same bytes again, in a new file with a new time: nothing to ask.
    SaveLines(storeOf("apple,a,,,0,2,1\r\n"), QStringLiteral("words/w.txt"));
    EXPECT_EQ(stampOf(stored), saved);
}

TEST(FileStamp, MissingAndEmptyFilesAreTold)
{
    TempFolder folder;
    const QString stored = QStringLiteral("new.txt");
    const FileStamp missing = stampOf(stored);
    EXPECT_EQ(missing.state, FileStamp::State::kMissing);
    EXPECT_EQ(missing, stampOf(QStringLiteral("other-missing.txt")));

    // Created empty by someone else: a change against "missing".
    folder.write(stored, {});
    const FileStamp empty = stampOf(stored);
    EXPECT_EQ(empty.state, FileStamp::State::kRegular);
    EXPECT_NE(empty, missing);
    EXPECT_EQ(empty, SaveLines(LineStore(), stored));

    // Deleted again, or turned into something that is no file of ours.
    QFile::remove(folder.path(stored));
    EXPECT_EQ(stampOf(stored), missing);
    QDir().mkpath(folder.path(stored));
    EXPECT_EQ(stampOf(stored).state, FileStamp::State::kUnreadable);
    EXPECT_NE(stampOf(stored), empty);
}

} // namespace
