#include "store/codec.h"
#include "store/failure.h"
#include "store/record.h"
#include "support/temp_folder.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

LineStore storeOf(const QByteArray& text)
{
    LineStore s;
    s.setText(text);
    return s;
}

QString failureOf(const QByteArray& text)
{
    try {
        StrToInt(text);
    } catch (const Failure& f) {
        return f.text();
    }
    return QStringLiteral("<no failure>");
}

TEST(ReadField, FieldsOfARecord)
{
    const QByteArray line = "apple," + sjis("りんご") + ",,,0,3,1";
    const QList<QByteArray> expected = {"apple", sjis("りんご"), "", "", "0", "3", "1"};
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(ReadField(line, k), expected[k - 1]) << k;
    EXPECT_EQ(ReadField(line + ",", 7), "1");
    // Fewer fields: the last one present.
    EXPECT_EQ(ReadField("apple," + sjis("りんご"), 5), sjis("りんご"));
    const LineStore store = storeOf(line + "\r\n");
    EXPECT_EQ(ReadField(store, 0, 2), sjis("りんご"));
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(ReadField(store, 1, k), "");
}

TEST(ReadField, LongRecordsAreReadWhole)
{
    // A Japanese example sentence of 150 characters takes 300 bytes.
    QString example;
    for (int i = 0; i < 150; ++i)
        example += QChar(0x3042 + i % 40);
    const QByteArray ex = cp932::encode(example);
    const QByteArray line = "word,mean,long one," + ex + ",1,12,7";
    EXPECT_EQ(ReadField(line, 4), ex);
    EXPECT_EQ(ReadField(line, 6), "12");
    LineStore store = storeOf(line);
    store.WriteLine(0, CountAsked(store, 0));
    EXPECT_EQ(store.ReadLine(0), "word,mean,long one," + ex + ",1,13,7");
}

TEST(StrToInt, AcceptsWhatTheConversionAccepts)
{
    EXPECT_EQ(StrToInt(" 12"), 12);
    EXPECT_EQ(StrToInt("-3"), -3);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("X10"), 16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt("007"), 7);
}

TEST(StrToInt, RefusesEverythingElseWithItsText)
{
    for (const QByteArray& bad :
         {QByteArray("12 "), QByteArray("1.5"), QByteArray("-"), QByteArray(""), QByteArray("2147483648"),
          QByteArray("$123456789"), QByteArray("$"), QByteArray("-$1"), QByteArray("1a"), QByteArray("\t1")})
        EXPECT_TRUE(failureOf(bad).endsWith(QStringLiteral("' は整数ではありません"))) << bad.constData();
    EXPECT_EQ(failureOf("abc"), QStringLiteral("'abc' は整数ではありません"));
    EXPECT_EQ(failureOf(sjis("三")), QStringLiteral("'三' は整数ではありません"));
}

TEST(Counters, RebuildsAndRates)
{
    LineStore store = storeOf("apple," + sjis("りんご") + ",,,0,3,1,\r\n");
    store.WriteLine(0, CountCorrect(store, 0));
    store.WriteLine(0, CountAsked(store, 0));
    EXPECT_EQ(store.ReadLine(0), "apple," + sjis("りんご") + ",,,0,4,2");
    EXPECT_EQ(ResetCounts(store, 0), "apple," + sjis("りんご") + ",,,0,0,0");
}

TEST(Counters, StopAtTheLargest32BitValue)
{
    // Also written in hexadecimal, which reads as the same 32-bit value.
    for (const QByteArray& top : {QByteArray("2147483647"), QByteArray("$7FFFFFFF")}) {
        LineStore store = storeOf("w,m,,,0," + top + ',' + top + "\r\n");
        store.WriteLine(0, CountCorrect(store, 0));
        store.WriteLine(0, CountAsked(store, 0));
        EXPECT_EQ(store.ReadLine(0), "w,m,,,0,2147483647,2147483647");
    }
    // One below still counts, and negative counters count up as before.
    LineStore store = storeOf("w,m,,,0,2147483646,-2147483648\r\n");
    store.WriteLine(0, CountCorrect(store, 0));
    store.WriteLine(0, CountAsked(store, 0));
    EXPECT_EQ(store.ReadLine(0), "w,m,,,0,2147483647,-2147483647");
}

TEST(Counters, DamagedCounterStopsRebuild)
{
    const LineStore store = storeOf("apple,x,,,0,abc,1\r\n");
    EXPECT_THROW(CountAsked(store, 0), Failure);
    EXPECT_NO_THROW(CountCorrect(store, 0));
    // A store whose second line is empty: every scan sees one record.
    EXPECT_EQ(VisibleRecords(storeOf("a,b,,,0,0,0\r\n\r\nc,d,,,0,0,0\r\n"), 1001), 1);
}

} // namespace
