// What a reader says about a file besides its rows, how it may be stopped,
// and the bounds it reads within.

#include "interchange/import_rows.h"
#include "rows.h"
#include "store/failure.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using interchange::ImportRow;

namespace {

struct Read : interchange::ImportSink {
    void row(ImportRow&& r) override { rows.push_back(std::move(r)); }
    void note(const QString& text) override { notes << text; }
    std::vector<ImportRow> rows;
    QStringList notes;
};

Read read(const QByteArray& bytes, const interchange::Progress& progress = {})
{
    Read out;
    interchange::readImportBytes(bytes, QStringLiteral("in.csv"), out, progress);
    return out;
}

QString failureOf(const QByteArray& bytes)
{
    try {
        read(bytes);
    } catch (const Failure& f) {
        return f.text();
    }
    return QStringLiteral("<no failure>");
}

TEST(ImportReading, AnUnclosedQuoteIsToldWhereItBegan)
{
    const struct {
        const char* what;
        QByteArray bytes;
        int line; // 0: every quote closed
        size_t rows;
    } cases[] = {
        {"on the line of its row", "a,b\nc,\"d\ne,f\n", 2, 2},
        {"after a closed quoted field that spans lines", "a,\"b\nc\",\"d\ne,f\n", 2, 1},
        {"on a later line than its row began", "a,\"b\nc\",x\ny,\"z\n", 3, 2},
        {"a field quoted and closed on its last line", "a,\"b\nc\"\n", 0, 1},
        {"with no line break at the end", "a,b\r\nc,\"d", 2, 2},
        {"a quote inside an unquoted field is no quote", "a,b\"c\nd,e\n", 0, 2},
    };
    for (const auto& c : cases) {
        const Read r = read(c.bytes);
        EXPECT_EQ(r.rows.size(), c.rows) << c.what;
        if (c.line == 0) {
            EXPECT_TRUE(r.notes.isEmpty()) << c.what;
        } else {
            ASSERT_EQ(r.notes.size(), 1) << c.what;
            EXPECT_TRUE(r.notes[0].startsWith(QStringLiteral("%1 行目で始まる引用符").arg(c.line)))
                << c.what << ": " << r.notes[0].toStdString();
        }
    }
}

TEST(ImportReading, ColumnsPastOursAreReadButNotKept)
{
    // Text only past our five columns is still a row (refused later for
    // having no word), not a blank line.
    const Read r = read("a,b,c,d,e,f,g,h\n,,,,,,7\n" + QByteArray(100000, ',') + "x\n");
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.rows[0], (ImportRow{1, "a", "b", "c", "d", "e"}));
    EXPECT_EQ(r.rows[1], (ImportRow{2, "", "", "", "", ""}));
    EXPECT_EQ(r.rows[2].line, 3);

    // A column is kept to one character past the longest a field takes.
    const QByteArray japanese = QString(40000, QChar(0x3042)).toUtf8();
    const Read longOne = read("w," + japanese + "\n");
    ASSERT_EQ(longOne.rows.size(), 1u);
    EXPECT_EQ(longOne.rows[0].meaning, QString(interchange::kMaxFieldChars + 1, QChar(0x3042)));
}

TEST(ImportReading, KvtmlWithinItsBoundsReadsLikeAnyOther)
{
    const QByteArray head = "<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml [<!ENTITY co \"Co. &amp; Sons\">]>\n"
                            "<kvtml version=\"2.0\"><entries><entry id=\"0\">"
                            "<translation id=\"0\"><text>";
    const QByteArray tail = "</text></translation><translation id=\"1\"><text>m</text></translation>"
                            "</entry></entries></kvtml>";
    // An entity used a few times, inline markup a few levels deep, CDATA.
    const Read r = read(head + "&co;, <b>by <i>&co;</i></b><![CDATA[<x>]]>" + tail);
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].word, u8("Co. & Sons, by Co. & Sons<x>"));

    QByteArray deep = "<?xml version=\"1.0\"?>\n<kvtml version=\"2.0\"><wordtypes>";
    for (int i = 0; i < 200; ++i)
        deep += "<container>";
    for (int i = 0; i < 200; ++i)
        deep += "</container>";
    EXPECT_TRUE(read(deep + "</wordtypes></kvtml>").rows.empty());

    // A container's name is text alone, as KDE's programs write it.
    EXPECT_EQ(failureOf("<?xml version=\"1.0\"?>\n<kvtml version=\"2.0\"><wordtypes><container>\n"
                        "<name>x<b/></name></container></wordtypes></kvtml>"),
              u8("ファイル in.csv は 3 行目が KVTML として正しくありません"));
}

TEST(ImportReading, ProgressIsToldAndACancelStopsEveryForm)
{
    QByteArray csv;
    for (int i = 0; i < 200000; ++i)
        csv += "word" + QByteArray::number(i) + ",meaning\n";
    QByteArray kvtml = "<?xml version=\"1.0\"?>\n<kvtml version=\"2.0\"><entries>";
    for (int i = 0; i < 20000; ++i)
        kvtml += "<entry id=\"" + QByteArray::number(i)
            + "\"><translation id=\"0\"><text>w</text></translation></entry>\n";
    kvtml += "</entries></kvtml>";

    for (const QByteArray& bytes : {csv, kvtml}) {
        qint64 last = -1;
        int reports = 0;
        read(bytes, [&](qint64 done, qint64 total) {
            EXPECT_GE(done, last);
            EXPECT_LE(done, total);
            last = done;
            ++reports;
            return true;
        });
        EXPECT_GT(reports, 2);

        int asked = 0;
        Read stopped;
        EXPECT_THROW(interchange::readImportBytes(bytes, QStringLiteral("x"), stopped,
                                                  [&](qint64, qint64) { return ++asked < 2; }),
                     interchange::Cancelled);
        EXPECT_EQ(asked, 2);
    }
}

TEST(ImportReading, WhatTheSinkRaisesEndsTheReadingCleanly)
{
    struct Raising : interchange::ImportSink {
        void row(ImportRow&&) override { throw Failure(QStringLiteral("full")); }
        void note(const QString&) override { }
    } raising;
    EXPECT_THROW(interchange::readImportBytes("a,b\nc,d\n", QStringLiteral("x"), raising), Failure);
    EXPECT_THROW(interchange::readImportBytes("a,\"b", QStringLiteral("x"), raising), Failure);
}

TEST(ImportReading, AFileOverTheCapIsRefusedByNameAtOnce)
{
    QTemporaryDir dir;
    QFile big(dir.filePath(QStringLiteral("big.csv")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(interchange::kMaxImportBytes + 1));
    big.close();
    try {
        interchange::readImportFile(big.fileName());
        FAIL() << "read a file over the cap";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(),
                  u8("ファイル %1 は大きすぎるのでインポートできません(16 MiB まで)").arg(big.fileName()));
    }
    EXPECT_TRUE(failureOf(QByteArray(interchange::kMaxImportBytes + 1, 'a')).contains(u8("大きすぎる")));
}

} // namespace
