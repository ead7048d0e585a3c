#include "core/import_plan.h"
#include "interchange/export_file.h"
#include "rows.h"
#include "store/failure.h"
#include "store/limits.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using interchange::ExportFormat;

namespace {

constexpr ExportFormat kFormats[] = {ExportFormat::Csv, ExportFormat::AnkiText, ExportFormat::Kvtml};

// Records with everything a field may hold that the forms treat specially.
std::vector<QByteArray> awkwardRecords()
{
    return {
        "apple," + sjis("りんご") + ",I ate an apple.," + sjis("りんごを食べた。") + ",0,3,1",
        "say," + sjis("言う") + ",He said \"hi\".," + sjis("「やあ」と言った。") + ",1,0,0",
        "semi; colon," + sjis("セミコロン；") + ",a; b,,2,10,10",
        " blank ," + sjis("前後に空白") + ",,," + "3,1,0",
        "#tag," + sjis("ハッシュ") + ",<b>&amp;</b>,," + "4,0,0",
        "=SUM(A1)," + sjis("式，ではない、") + ",,\"," + "4,2,1",
        "by the way," + sjis("ところで") + ",,,4,0,0",
    };
}

QByteArray withoutCounts(const QByteArray& record)
{
    return record.left(record.lastIndexOf(',', record.lastIndexOf(',') - 1)) + ",0,0";
}

// Export, read back as an import would, plan against an empty word file.
std::vector<QByteArray> roundTrip(ExportFormat format, const std::vector<QByteArray>& records)
{
    const auto rows = interchange::readImportBytes(interchange::exportBytes(format, records, "t"), "t");
    const ImportPlan plan = planImport(rows, {}, kMaxRecords);
    for (const auto& refused : plan.refused)
        ADD_FAILURE() << "line " << refused.line << ": " << qPrintable(refused.reason);
    return plan.records();
}

TEST(Export, EveryFormGivesBackTheRecordsByteForByte)
{
    const std::vector<QByteArray> records = awkwardRecords();
    std::vector<QByteArray> expected;
    for (const QByteArray& r : records)
        expected.push_back(withoutCounts(r));
    for (const ExportFormat format : kFormats)
        EXPECT_EQ(roundTrip(format, records), expected) << qPrintable(interchange::suffixFor(format));

    // Through real files as well.
    QTemporaryDir dir;
    for (const ExportFormat format : kFormats) {
        const QString path = dir.filePath(QStringLiteral("words.") + interchange::suffixFor(format));
        interchange::writeExportFile(path, format, records);
        const auto plan = planImport(interchange::readImportFile(path), {}, 1000);
        EXPECT_EQ(plan.records(), expected) << qPrintable(path);
    }
}

TEST(Export, SpreadsheetAndAnkiText)
{
    const std::vector<QByteArray> records = {"say," + sjis("言う") + ",He said \"hi\".,,1,3,2",
                                             "#1,x,a\tb,,9,,"};
    EXPECT_EQ(interchange::exportBytes(ExportFormat::Csv, records, {}),
              "\xEF\xBB\xBF"
                  + u8("単語,意味,例文,例文意味,品詞,回答数,正解数\r\n"
                       "say,言う,\"He said \"\"hi\"\".\",,動詞,3,2\r\n"
                       "\"#1\",x,a\tb,,9,,\r\n")
                        .toUtf8());
    EXPECT_EQ(interchange::exportBytes(ExportFormat::AnkiText, records, {}),
              u8("#separator:tab\n#html:false\n#columns:単語\t意味\t例文\t例文意味\t品詞\t回答数\t正解数\n"
                 "say\t言う\t\"He said \"\"hi\"\".\"\t\t動詞\t3\t2\n"
                 "\"#1\"\tx\t\"a\tb\"\t\t9\t\t\n")
                  .toUtf8());
    // A tab from a hand-edited word file goes out and comes back as itself,
    // and the import refuses it like registration; so does a part index
    // that names nothing.
    const auto rows = interchange::readImportBytes(
        interchange::exportBytes(ExportFormat::AnkiText, records, {}), QStringLiteral("t"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].example, u8("a\tb"));
    const auto plan = planImport(rows, {}, 1000);
    ASSERT_EQ(plan.refused.size(), 1u);
    EXPECT_EQ(plan.refused[0].line, 5);
}

TEST(Export, SpreadsheetCsvKeepsFormulasFromRunningAndTheOtherFormsExact)
{
    const struct {
        const char* field; // the word file's example field
        const char* inCsv; // as the spreadsheet export writes it
    } cases[] = {
        {"=1+2", "'=1+2"},
        {"+81 3", "'+81 3"},
        {"-ful", "'-ful"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\t=cmd|' /C calc'!A0", "'\t=cmd|' /C calc'!A0"},
        {"'=already quoted", "''=already quoted"},
        {"''-twice", "'''-twice"},
        {"'plain", "'plain"},
        {"a=b", "a=b"},
        {"", ""},
    };
    std::vector<QByteArray> records;
    for (const auto& c : cases)
        records.push_back("w" + QByteArray::number(int(records.size())) + ",m," + c.field + ",,0,0,0");

    const QList<QByteArray> csv = interchange::exportBytes(ExportFormat::Csv, records, {}).split('\n');
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(csv.value(int(i) + 1),
                  "w" + QByteArray::number(int(i)) + ",m," + cases[i].inCsv + ",," + u8("名詞").toUtf8()
                      + ",0,0\r")
            << cases[i].field;
    // Anki text and KVTML carry every field as it is.
    for (const ExportFormat format : {ExportFormat::AnkiText, ExportFormat::Kvtml}) {
        const auto rows = interchange::readImportBytes(interchange::exportBytes(format, records, {}), "t");
        ASSERT_EQ(rows.size(), std::size(cases));
        for (size_t i = 0; i < std::size(cases); ++i)
            EXPECT_EQ(rows[i].example, u8(cases[i].field)) << qPrintable(interchange::suffixFor(format));
    }
    // Our own import takes the guard off again, in CSV only: in
    // tab-separated text the same field is taken as it stands.
    const std::vector<QByteArray> back =
        roundTrip(ExportFormat::Csv, {records[0], records[5], records[6], records[7]});
    EXPECT_EQ(back,
              (std::vector<QByteArray>{withoutCounts(records[0]), withoutCounts(records[5]),
                                       withoutCounts(records[6]), withoutCounts(records[7])}));
    EXPECT_EQ(interchange::readImportBytes("w,m,'=x\n", "in.csv").at(0).example, u8("=x"));
    EXPECT_EQ(interchange::readImportBytes("w\tm\t'=x\n", "in.txt").at(0).example, u8("'=x"));
}

TEST(Export, KvtmlIsValidAndCarriesTheCounts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words.kvtml"));
    std::vector<QByteArray> records = awkwardRecords();
    records.push_back("damaged,x,,,7,many,1");
    interchange::writeExportFile(path, ExportFormat::Kvtml, records);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // KWordQuiz and Parley take a file for KVTML by its second line.
    EXPECT_TRUE(bytes.split('\n').value(1).startsWith("<kvtml version=\"2.0\"")) << bytes.left(100).data();

    // Counts: apple was answered 3 times, 2 of them wrong; damaged has none.
    QXmlStreamReader xml(bytes);
    QStringList grades;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement
            && (xml.name() == u"count" || xml.name() == u"errorcount"))
            grades.append(xml.readElementText());
    }
    EXPECT_FALSE(xml.hasError());
    EXPECT_EQ(grades, (QStringList{"3", "2", "10", "0", "1", "1", "2", "1"}));

    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        GTEST_SKIP() << "xmllint (Debian libxml2-utils) is not installed; the DTD check needs it";
    QProcess lint;
    lint.start(xmllint, {"--noout", "--nonet", "--dtdvalid", KVTML2_DTD, path});
    ASSERT_TRUE(lint.waitForFinished(30000));
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().constData();
}

TEST(Export, AFileThatCannotBeWrittenIsReported)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString target = dir.filePath(QStringLiteral("plain/words.csv"));
    try {
        interchange::writeExportFile(target, ExportFormat::Csv, awkwardRecords());
        ADD_FAILURE() << "wrote below a plain file";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), u8("ファイル %1 を作成できません").arg(target));
    }
}

} // namespace
