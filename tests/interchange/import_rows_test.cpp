#include "interchange/import_rows.h"
#include "rows.h"
#include "store/failure.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using interchange::ImportRow;
using interchange::readImportBytes;

namespace {

using Rows = std::vector<ImportRow>;

ImportRow row(int line, const char* word, const char* meaning, const char* example = "",
              const char* exampleMeaning = "", const char* part = "")
{
    return {line, u8(word), u8(meaning), u8(example), u8(exampleMeaning), u8(part)};
}

QString failureOf(const QByteArray& bytes)
{
    try {
        readImportBytes(bytes, QStringLiteral("in.csv"));
    } catch (const Failure& f) {
        return f.text();
    }
    return QStringLiteral("<no failure>");
}

struct DelimitedCase {
    const char* what;
    QByteArray bytes;
    Rows rows;
};

TEST(ImportRows, DelimitedText)
{
    QByteArray utf16 = QByteArray("\xFF\xFE", 2);
    const QString tsv = u8("apple\tりんご\t\t\t動詞\r\n");
    utf16.append(reinterpret_cast<const char*>(tsv.utf16()), tsv.size() * 2);

    const DelimitedCase cases[] = {
        {"header row in English is skipped; line numbers count it",
         "word,meaning\r\napple,\xE3\x82\x8A\xE3\x82\x93\xE3\x81\x94\r\n",
         {row(2, "apple", "りんご")}},
        {"BOM, Japanese header, RFC 4180 quoting; a row starts where its quoted field starts",
         "\xEF\xBB\xBF"
             + u8("単語,意味,例文\r\n\"say \"\"hi\"\"\",言う,\"one\r\ntwo\"\r\nnext,次\r\n").toUtf8(),
         {row(2, "say \"hi\"", "言う", "one\r\ntwo"), row(4, "next", "次")}},
        {"semicolons when they split the first record most",
         u8("apple;りんご;An apple, please.;りんごをください。;名詞\n").toUtf8(),
         {row(1, "apple", "りんご", "An apple, please.", "りんごをください。", "名詞")}},
        {"tabs; a sixth and seventh column (counts) are ignored",
         u8("apple\tりんご\t\t\t1\t5\t3\n").toUtf8(),
         {row(1, "apple", "りんご", "", "", "1")}},
        {"blanks are kept, blank lines and empty rows skipped, no final line break",
         u8("\n  apple ,りんご\n,,,,\n \t \n\nrun,走る").toUtf8(),
         {row(2, "  apple ", "りんご"), row(6, "run", "走る")}},
        {"lone CR line breaks", "a,b\rc,d\r", {row(1, "a", "b"), row(2, "c", "d")}},
        {"a first row that only looks like a header later is a word",
         "apple,x\nword,meaning\n",
         {row(1, "apple", "x"), row(2, "word", "meaning")}},
        {"CP932, as Japanese spreadsheets save CSV",
         sjis("apple,りんご,,,動詞\r\n"),
         {row(1, "apple", "りんご", "", "", "動詞")}},
        {"UTF-16 with a byte-order mark", utf16, {row(1, "apple", "りんご", "", "", "動詞")}},
        {"Anki export: header lines, guid/note type/deck columns dropped, HTML made plain",
         u8("#separator:tab\n#html:true\n#guid column:1\n#notetype column:2\n#deck column:3\n#tags column:8\n"
            "g1\tBasic\tDeck\tapple&nbsp;pie\t<b>アップル</b>パイ\tI &lt;3 pie&#33;\t\ttag1\n")
             .toUtf8(),
         {row(7, "apple pie", "アップルパイ", "I <3 pie!")}},
        {"Anki: #separator by name decides even against the content; #columns is no word",
         u8("#separator:Semicolon\n#html:false\n#columns:Front;Back\na,b;<b>x</b>\t1\n").toUtf8(),
         {row(4, "a,b", "<b>x</b>\t1")}},
        {"an unclosed quote runs to the end",
         u8("apple,\"りんご\npear,梨").toUtf8(),
         {row(1, "apple", "りんご\npear,梨")}},
    };
    for (const DelimitedCase& c : cases)
        EXPECT_EQ(readImportBytes(c.bytes, QStringLiteral("in.txt")), c.rows) << c.what;
}

// As KWordQuiz and Parley save it: a DOCTYPE, elements the DTD does not know
// (inactive, pregrade), word types listing <entry>/<translation>, nested
// types, a lesson, and entries that are not in id order.
const char* const kSavedByKde = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">
<kvtml version="2.0">
  <information><generator>kwordquiz 22.12</generator><title>t</title></information>
  <identifiers>
    <identifier id="0"><name>English</name><locale>en</locale></identifier>
    <identifier id="1"><name>Japanese</name><locale>ja</locale></identifier>
  </identifiers>
  <entries>
    <entry id="1">
      <inactive>false</inactive>
      <translation id="0"><text>dog</text><example>A dog &amp; a cat.</example>
        <grade><pregrade>0</pregrade><currentgrade>2</currentgrade><count>4</count></grade></translation>
      <translation id="1"><text>犬</text><example>犬と猫。</example></translation>
    </entry>
    <entry id="0">
      <translation id="0"><text>go</text></translation>
      <translation id="1"><text>行く</text></translation>
    </entry>
    <entry id="2">
      <translation id="1"><text>だから</text></translation>
      <translation id="0"><text>so</text></translation>
    </entry>
    <entry id="3"><translation id="0"><text>quickly</text></translation>
      <translation id="1"><text>速く</text></translation></entry>
    <entry id="4"><translation id="0"><text></text></translation></entry>
  </entries>
  <lessons><container><name>L1</name><entry id="0"/><entry id="1"/></container></lessons>
  <wordtypes>
    <container><name>Noun</name><specialwordtype>noun</specialwordtype>
      <container><name>Masculine</name><specialwordtype>noun/male</specialwordtype>
        <entry id="1"><translation id="0"/><translation id="1"/></entry></container></container>
    <container><name>Verb</name><specialwordtype>verb</specialwordtype>
      <entry id="0"><translation id="1"/></entry></container>
    <container><name>Conjunction</name><specialwordtype>conjunction</specialwordtype>
      <entry id="2"><translation id="0"/></entry></container>
    <container><name>Adverb</name><specialwordtype>adverb</specialwordtype>
      <entry id="3"><translation id="1"/></entry></container>
  </wordtypes>
</kvtml>
)";

TEST(ImportRows, KvtmlAsKdeProgramsSaveIt)
{
    const Rows expected = {
        row(10, "dog", "犬", "A dog & a cat.", "犬と猫。", "名詞"),
        row(16, "go", "行く", "", "", "動詞"),
        row(20, "so", "だから", "", "", "名詞"),
        row(24, "quickly", "速く", "", "", "副詞"),
    };
    EXPECT_EQ(readImportBytes(kSavedByKde, QStringLiteral("x.kvtml")), expected);
}

TEST(ImportRows, RefusedFiles)
{
    EXPECT_EQ(failureOf(QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)),
              u8("ファイル in.csv は CSV やテキスト、KVTML のファイルではありません"));
    // Neither UTF-8 nor CP932 (0x80 and 0xA0 are no CP932 characters).
    EXPECT_EQ(failureOf("apple,\x80\xA0\n"),
              u8("ファイル in.csv は CSV やテキスト、KVTML のファイルではありません"));
    EXPECT_EQ(failureOf("<?xml version=\"1.0\"?>\n<kvtml version=\"2.0\">\n<entries>\n</kvtml>\n"),
              u8("ファイル in.csv は 4 行目が KVTML として正しくありません"));
    EXPECT_EQ(failureOf("<?xml version=\"1.0\"?>\n<kvtml encoding=\"UTF-8\"><e><o>a</o><t>b</t></e></kvtml>"),
              u8("ファイル in.csv は KVTML 2.0 ではないので読み込めません"));
    EXPECT_EQ(failureOf("<?xml version=\"1.0\"?>\n<html/>"),
              u8("ファイル in.csv は 2 行目が KVTML として正しくありません"));

    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.csv"));
    try {
        interchange::readImportFile(missing);
        ADD_FAILURE() << "a missing file was read";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), u8("ファイル %1 は開けません").arg(missing));
    }
    QFile big(dir.filePath(QStringLiteral("big.csv")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(interchange::kMaxImportBytes + 1));
    big.close();
    EXPECT_THROW(interchange::readImportFile(big.fileName()), Failure);
}

} // namespace
