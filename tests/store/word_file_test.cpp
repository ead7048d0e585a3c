#include "store/failure.h"
#include "store/word_file.h"
#include "support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString failureText(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Failure& e) {
        return e.text();
    }
    return QStringLiteral("<no failure>");
}

TEST(WordFile, LoadAndSaveRoundTripByteForByte)
{
    TempFolder folder;
    const QByteArray withBreak =
        "apple," + sjis("りんご") + ",,,0,3,1\r\nrun," + sjis("走る") + ",,,1,0,0\r\n";
    for (const QByteArray& bytes : {withBreak, withBreak.chopped(2), QByteArray()}) {
        folder.write(QStringLiteral("w.txt"), bytes);
        LineStore store;
        LoadLines(store, folder.path(QStringLiteral("w.txt")));
        SaveLines(store, folder.path(QStringLiteral("again.txt")));
        EXPECT_EQ(folder.read(QStringLiteral("again.txt")), bytes);
    }
    folder.write(QStringLiteral("lf.txt"), "a,b,,,0,0,0\nc,d,,,0,0,0\n");
    LineStore store;
    LoadLines(store, folder.path(QStringLiteral("lf.txt")));
    SaveLines(store, folder.path(QStringLiteral("lf.txt")));
    EXPECT_EQ(folder.read(QStringLiteral("lf.txt")), "a,b,,,0,0,0\r\nc,d,,,0,0,0\r\n");
}

// The store takes a file's name as the file system knows it: a backslash
// is part of the name, and the learner's spelling appears only in messages.
TEST(WordFile, ABackslashIsPartOfTheNameAndTheShownNameIsTheMessages)
{
    TempFolder folder;
    folder.write(QStringLiteral("words/x.txt"), "a,b,,,0,0,0\r\n");
    folder.write(QStringLiteral("words\\x.txt"), "c,d,,,0,0,0\r\ne,f,,,0,0,0\r\n");
    LineStore store;
    LoadLines(store, folder.path(QStringLiteral("words\\x.txt")));
    EXPECT_EQ(store.LineCount(), 2);
    EXPECT_EQ(failureText([&] {
                  LoadLines(store, QStringLiteral("words/none.txt"), QStringLiteral("words\\none.txt"));
              }),
              QStringLiteral("ファイル words\\none.txt は開けません"));
}

TEST(WordFile, RefusedFilesLeaveTheStoreAlone)
{
    TempFolder folder;
    LineStore store;
    store.setText("keep,me,,,0,0,0\r\n");
    const QString missing = folder.path(QStringLiteral("missing.txt"));
    EXPECT_EQ(failureText([&] { LoadLines(store, missing); }),
              QStringLiteral("ファイル %1 は開けません").arg(missing));

    // UTF-16 text holds zero bytes; keeping what stands before the first one
    // would cut the file on the next save.
    folder.write(QStringLiteral("utf16.txt"),
                 QByteArray("\xFF\xFE"
                            "a\0,\0b\0",
                            8));
    EXPECT_THROW(LoadLines(store, folder.path(QStringLiteral("utf16.txt"))), Failure);

    // One byte past the limit, and a film picked by mistake (sparse, so it
    // costs the disk nothing): named, and refused before a byte is read.
    for (const qint64 size : {kMaxWordFileBytes + 1, qint64(1) << 30}) {
        QFile big(folder.path(QStringLiteral("big-%1.txt").arg(size)));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(size));
        big.close();
        EXPECT_EQ(failureText([&] { LoadLines(store, big.fileName()); }),
                  QStringLiteral(
                      "文字列の大きさが メモ の制限を越えました(ファイル %1 は単語ファイルには大きすぎます。"
                      "単語ファイルは 16 MiB までです)")
                      .arg(big.fileName()));
    }
    EXPECT_EQ(store.text(), "keep,me,,,0,0,0\r\n");
}

// What we save we must be able to load: a store one byte past the load
// limit is refused like any failed save, and the old file stays.
TEST(WordFile, ASaveALoadWouldRefuseIsRefused)
{
    TempFolder folder;
    folder.write(QStringLiteral("w.txt"), "old,file,,,0,0,0\r\n");
    const QString target = folder.path(QStringLiteral("w.txt"));
    const QByteArray line = "word," + QByteArray(1000, 'm') + ",,,0,0,0\r\n";
    QByteArray text;
    while (text.size() + line.size() <= kMaxWordFileBytes)
        text += line;
    text += QByteArray(kMaxWordFileBytes - text.size(), 'x'); // a last line without a break
    ASSERT_EQ(text.size(), kMaxWordFileBytes);

    LineStore store;
    store.setText(text + 'x');
    EXPECT_EQ(
        failureText([&] { SaveLines(store, target); }),
        QStringLiteral("ファイル %1 を作成できません(読み込める大きさの上限 16 MiB を越えます)").arg(target));
    EXPECT_EQ(folder.read(QStringLiteral("w.txt")), "old,file,,,0,0,0\r\n");

    // Exactly at the limit it is saved, and loads again.
    store.setText(text);
    SaveLines(store, target);
    LineStore again;
    LoadLines(again, target);
    EXPECT_EQ(again.text(), text);
}

TEST(WordFile, SaveIntoAMissingPlaceIsReported)
{
    TempFolder folder;
    folder.write(QStringLiteral("plain"), "not a folder");
    LineStore store;
    const QString target = folder.path(QStringLiteral("plain/w.txt"));
    EXPECT_EQ(failureText([&] { SaveLines(store, target); }),
              QStringLiteral("ファイル %1 を作成できません").arg(target));
}

} // namespace
