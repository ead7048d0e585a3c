#include "core/import_plan.h"
#include "store/line_store.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using interchange::ImportRow;

namespace {

struct Case {
    ImportRow row;
    // The record added, or empty when the row is refused with `reason`.
    QByteArray record;
    const char* reason = "";
};

QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

ImportRow row(int line, const char* word, const char* meaning, const char* example = "",
              const char* exampleMeaning = "", const char* part = "")
{
    return {line, u8(word), u8(meaning), u8(example), u8(exampleMeaning), u8(part)};
}

// Every row with its fate, against the registered words apple and Tree and
// room for five more words.
TEST(ImportPlan, EveryRowIsAddedOrRefusedWithItsReason)
{
    const Case cases[] = {
        {row(1, "pear", "梨"), "pear," + sjis("梨") + ",,,0,0,0"},
        {row(2, "apple", "りんご"), {}, "「apple」は既に登録されています"},
        {row(3, "Apple", "りんご", "An Apple.", "アップル。", "形容詞"),
         "Apple," + sjis("りんご") + ",An Apple.," + sjis("アップル。") + ",2,0,0"},
        {row(4, "pear", "洋梨"), {}, "「pear」は 1 行目と重複しています"},
        {row(5, "", "意味"), {}, "単語がありません"},
        {row(6, "kiwi", ""), {}, "意味がありません"},
        {row(7, "a, b", "x"), {}, "「単語」: 半角のカンマ「,」は使えません。"},
        {row(8, "tab", "タブ", "a\tb"), {}, "「例文」: 改行やタブなどの制御文字は使えません。"},
        {row(9, "emoji", "絵文字🍎"), {}, "「意味」: 文字「🍎」(U+1F34E) は単語ファイルに書けません"},
        {row(10, "go", "行く", "", "", "動"),
         {},
         "品詞「動」は 名詞・動詞・形容詞・副詞・熟語 か 0〜4 ではありません"},
        {row(11, "run", "走る", "I run.", "私は走る。", " 1 "),
         "run," + sjis("走る") + ",I run.," + sjis("私は走る。") + ",1,0,0"},
        {row(12, "by the way", "ところで", "", "", "熟語"), "by the way," + sjis("ところで") + ",,,4,0,0"},
        // Full-width commas are text; a blank around a word is part of it.
        {row(13, " tea", "お茶，紅茶、緑茶"), " tea," + sjis("お茶，紅茶、緑茶") + ",,,0,0,0"},
        {row(14, "wave", "〜"), {}, "一つの単語ファイルに登録できる1000語を超えます"},
        {row(15, "pear", "梨"), {}, "「pear」は 1 行目と重複しています"},
        {row(16, "seven", "七", "", "", "5"),
         {},
         "品詞「5」は 名詞・動詞・形容詞・副詞・熟語 か 0〜4 ではありません"},
    };
    std::vector<ImportRow> rows;
    std::vector<QByteArray> records;
    std::vector<RefusedRow> refused;
    for (const Case& c : cases) {
        rows.push_back(c.row);
        if (c.record.isEmpty())
            refused.push_back({c.row.line, u8(c.reason)});
        else
            records.push_back(c.record);
    }
    const ImportPlan plan = planImport(rows, {"apple", "Tree"}, 5);
    EXPECT_EQ(plan.records(), records);
    ASSERT_EQ(plan.refused.size(), refused.size());
    for (size_t i = 0; i < refused.size(); ++i) {
        EXPECT_EQ(plan.refused[i].line, refused[i].line);
        EXPECT_EQ(plan.refused[i].reason, refused[i].reason) << refused[i].line;
    }
}

TEST(ImportPlan, AgainstAStoreAsRegistrationSeesIt)
{
    // The wave dash typed on Linux is CP932's 0x8160, as registration stores it.
    const std::vector<ImportRow> wave = {row(1, "wave", "〜")};
    EXPECT_EQ(planImport(wave, {}, 1).records(), std::vector<QByteArray>{"wave,\x81\x60,,,0,0,0"});

    // The scan stops at an empty line: a word behind it is not registered.
    LineStore store;
    store.setText("apple,x,,,0,0,0\r\n\r\nhidden,y,,,0,0,0\r\n");
    const auto plan = planImport({row(1, "apple", "a"), row(2, "hidden", "b")}, store);
    EXPECT_EQ(plan.records(), std::vector<QByteArray>{"hidden,b,,,0,0,0"});

    QByteArray full;
    for (int i = 0; i < 999; ++i)
        full += "w" + QByteArray::number(i) + ",m,,,0,0,0\r\n";
    store.setText(full);
    EXPECT_EQ(planImport({row(1, "one", "a"), row(2, "two", "b")}, store).words.size(), 1u);
    store.setText(full + "last,m,,,0,0,0\r\n");
    const auto none = planImport({row(7, "one", "a")}, store);
    EXPECT_TRUE(none.words.empty());
    ASSERT_EQ(none.refused.size(), 1u);
    EXPECT_EQ(none.refused[0].line, 7);
}

} // namespace
