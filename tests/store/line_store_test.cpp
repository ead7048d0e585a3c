#include "store/line_store.h"
#include "store/order_list.h"

#include <gtest/gtest.h>

namespace {

LineStore storeOf(const QByteArray& text)
{
    LineStore s;
    s.setText(text);
    return s;
}

TEST(LineStore, OpenEndCountsNoLine)
{
    EXPECT_EQ(storeOf("apple\r\n").LineCount(), 1);
    EXPECT_EQ(storeOf("apple\r\n\r\n").LineCount(), 2);
    EXPECT_EQ(storeOf("apple").LineCount(), 1);
    EXPECT_EQ(storeOf("").LineCount(), 0);
    const LineStore s = storeOf("apple\r\n");
    EXPECT_EQ(s.ReadLine(1), "");
    EXPECT_EQ(s.ReadLine(5), "");
    EXPECT_EQ(s.ReadLine(-1), "");
}

TEST(LineStore, LineBreaksBecomeCrLf)
{
    EXPECT_EQ(storeOf("a\nb\rc\r\nd").text(), "a\r\nb\r\nc\r\nd");
    // LF followed by CR is two breaks with an empty line between.
    const LineStore s = storeOf("a\n\rb\n");
    EXPECT_EQ(s.LineCount(), 3);
    EXPECT_EQ(s.ReadLine(1), "");
    EXPECT_EQ(s.text(), "a\r\n\r\nb\r\n");
}

TEST(LineStore, AppendKeepsWhetherTextEndsWithBreak)
{
    LineStore a = storeOf("apple\r\n");
    a.AppendLine("kiwi");
    EXPECT_EQ(a.text(), "apple\r\nkiwi\r\n");
    LineStore b = storeOf("apple");
    b.AppendLine("kiwi");
    EXPECT_EQ(b.text(), "apple\r\nkiwi");
    LineStore c;
    c.AppendLine("kiwi");
    EXPECT_EQ(c.text(), "kiwi\r\n");
    // Behind every line, empty ones included.
    LineStore d = storeOf("apple\r\n\r\npear\r\n");
    d.AppendLine("kiwi");
    EXPECT_EQ(d.ReadLine(3), "kiwi");
}

TEST(LineStore, DeleteRemovesOneBreak)
{
    LineStore a = storeOf("apple\r\npear\r\n");
    a.DeleteLine(0);
    EXPECT_EQ(a.text(), "pear\r\n");
    LineStore b = storeOf("apple\r\npear");
    b.DeleteLine(1);
    EXPECT_EQ(b.text(), "apple");
    LineStore c = storeOf("apple\r\n");
    c.DeleteLine(0);
    EXPECT_EQ(c.text(), "");
    LineStore d = storeOf("apple\r\npear\r\n");
    d.DeleteLine(2);
    EXPECT_EQ(d.text(), "apple\r\npear\r\n");
}

TEST(LineStore, WriteFillsOpenEndOnly)
{
    LineStore a = storeOf("apple\r\n");
    a.WriteLine(1, "kiwi");
    EXPECT_EQ(a.text(), "apple\r\nkiwi");
    LineStore b = storeOf("apple\r\n");
    b.WriteLine(2, "kiwi");
    EXPECT_EQ(b.text(), "apple\r\n");
    LineStore c = storeOf("apple\r\npear");
    c.WriteLine(1, "kiwi");
    EXPECT_EQ(c.text(), "apple\r\nkiwi");
    LineStore d;
    d.WriteLine(0, "kiwi");
    EXPECT_EQ(d.text(), "kiwi");
    // An empty line in the middle stays a line.
    LineStore e = storeOf("a\r\nb\r\nc");
    e.WriteLine(1, "");
    EXPECT_EQ(e.text(), "a\r\n\r\nc");
    EXPECT_EQ(e.LineCount(), 3);
}

TEST(LineStore, LongLinesAreKeptWhole)
{
    const QByteArray longLine(100000, 'x');
    const LineStore s = storeOf(longLine + "\r\nnext");
    EXPECT_EQ(s.ReadLine(0).size(), 100000);
    EXPECT_EQ(s.ReadLine(1), "next");
}

TEST(OrderList, SlotsOutsideRangeAreIgnored)
{
    OrderList list;
    list.WriteLine(1001, "7");
    list.WriteLine(-1, "7");
    EXPECT_EQ(list.ReadLine(1001), "");
    list.WriteLine(1000, "7");
    EXPECT_EQ(list.ReadLine(1000), "7");
    list.clear();
    EXPECT_EQ(list.ReadLine(1000), "");
}

} // namespace
