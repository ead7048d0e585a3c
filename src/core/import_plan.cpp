// Planning an import: every row of the file checked as registration checks
// a typed word, before anything changes.

#include "core/import_plan.h"

#include "core/display_text.h"
#include "core/word_book.h"
#include "core/word_rules.h"
#include "store/codec.h"
#include "store/limits.h"
#include "store/record.h"

namespace {

// The four text columns in the order word_rules checks them, as they are
// named in a reason.
const char16_t* const kHeadings[] = {u"単語", u"意味", u"例文", u"例文意味"};

// 名詞 … 熟語, 0 … 4, or empty for a noun; blanks around it do not matter.
std::optional<int> partIndex(const QString& text)
{
    const QString part = text.trimmed();
    if (part.isEmpty())
        return 0;
    for (int i = 0; i <= 4; ++i) {
        if (part == PartName(i) || part == QString::number(i))
            return i;
    }
    return std::nullopt;
}

// A text from the file as a reason quotes it: a runaway one shortened.
QString quoted(const QString& text)
{
    constexpr qsizetype kShown = 40;
    return text.size() <= kShown ? text : text.left(kShown) + QStringLiteral("…");
}

// Why the row's texts cannot be a record, or nothing when they can.
std::optional<QString> textProblem(const interchange::ImportRow& row, const NewWord& word)
{
    if (row.word.isEmpty())
        return QStringLiteral("単語がありません");
    if (row.meaning.isEmpty())
        return QStringLiteral("意味がありません");
    if (const auto problem = word_rules::textProblem(word)) {
        const QString heading = QString::fromUtf16(kHeadings[problem->text]);
        // The refusal's first sentence; its advice on what to type instead
        // is for the registration form.
        if (!problem->refusal.isEmpty())
            return QStringLiteral("「%1」: %2")
                .arg(heading, problem->refusal.section(QLatin1Char('\n'), 0, 0));
        return QStringLiteral("「%1」: 文字「%2」(%3) は単語ファイルに書けません")
            .arg(heading, problem->unencodable, cp932::codePoint(problem->unencodable));
    }
    if (!partIndex(row.part))
        return QStringLiteral("品詞「%1」は 名詞・動詞・形容詞・副詞・熟語 か 0〜4 ではありません")
            .arg(quoted(row.part));
    return std::nullopt;
}

} // namespace

std::vector<QByteArray> ImportPlan::records() const
{
    std::vector<QByteArray> out;
    out.reserve(words.size());
    for (const PlannedWord& w : words)
        out.push_back(w.record);
    return out;
}

ImportPlanner::ImportPlanner(QSet<QByteArray> registered, int room)
    : registered_(std::move(registered)), room_(room)
{
}

ImportPlanner::ImportPlanner(const LineStore& store)
    : ImportPlanner(word_rules::registeredWords(store), word_rules::room(store))
{
}

void ImportPlanner::refuse(int line, const QString& reason)
{
    ++plan_.refusedRows;
    if (plan_.refused.size() < size_t(kListedRefusals))
        plan_.refused.push_back({line, reason});
}

void ImportPlanner::note(const QString& text)
{
    plan_.notes.append(text);
}

void ImportPlanner::row(interchange::ImportRow&& row)
{
    const NewWord word{row.word, row.meaning, row.example, row.exampleMeaning, 0};
    if (const auto problem = textProblem(row, word))
        return refuse(row.line, *problem);
    const QByteArray bytes = cp932::encode(row.word);
    if (registered_.contains(bytes))
        return refuse(row.line, QStringLiteral("「%1」は既に登録されています").arg(quoted(row.word)));
    if (const auto earlier = accepted_.constFind(bytes); earlier != accepted_.cend())
        return refuse(row.line,
                      QStringLiteral("「%1」は %2 行目と重複しています").arg(quoted(row.word)).arg(*earlier));
    if (int(plan_.words.size()) >= room_)
        return refuse(row.line,
                      QStringLiteral("一つの単語ファイルに登録できる%1語を超えます").arg(kMaxRecords));
    accepted_.insert(bytes, row.line);
    plan_.words.push_back({row.line, bytes,
                           NewRecord(bytes, cp932::encode(row.meaning), cp932::encode(row.example),
                                     cp932::encode(row.exampleMeaning), *partIndex(row.part))});
}

namespace {

ImportPlan planned(ImportPlanner&& planner, const std::vector<interchange::ImportRow>& rows)
{
    for (interchange::ImportRow row : rows)
        planner.row(std::move(row));
    return planner.take();
}

} // namespace

ImportPlan planImport(const std::vector<interchange::ImportRow>& rows,
                      const std::vector<QByteArray>& registeredWords, int room)
{
    return planned(ImportPlanner(QSet<QByteArray>(registeredWords.begin(), registeredWords.end()), room),
                   rows);
}

ImportPlan planImport(const std::vector<interchange::ImportRow>& rows, const LineStore& store)
{
    return planned(ImportPlanner(store), rows);
}

ImportPreview previewImport(const ImportPlan& plan)
{
    ImportPreview preview;
    const auto added = qsizetype(plan.words.size());
    preview.registers = added > 0;
    preview.text = added > 0 ? QStringLiteral("%1 語を登録します。").arg(added)
                             : QStringLiteral("登録できる単語がありません。");
    if (plan.refusedRows > 0)
        preview.text += QStringLiteral("\n次の %1 行は登録しません。").arg(plan.refusedRows);
    for (const QString& note : plan.notes)
        preview.text += QLatin1Char('\n') + note;
    for (const RefusedRow& row : plan.refused)
        preview.list << QStringLiteral("%1 行目: %2").arg(row.line).arg(row.reason);
    if (const qint64 unlisted = plan.refusedRows - qint64(plan.refused.size()); unlisted > 0)
        preview.list << QStringLiteral("ほか %1 行も登録しません(一覧は最初の %2 行までです)。")
                            .arg(unlisted)
                            .arg(plan.refused.size());
    return preview;
}

std::optional<ImportPlan> recheckImport(const ImportPlan& plan, const LineStore& store)
{
    const QSet<QByteArray> registered = word_rules::registeredWords(store);
    const int room = word_rules::room(store);
    ImportPlan now;
    std::vector<RefusedRow> late;
    for (const PlannedWord& w : plan.words) {
        if (registered.contains(w.word))
            late.push_back(
                {w.line, QStringLiteral("「%1」は既に登録されています").arg(quoted(cp932::decode(w.word)))});
        else if (int(now.words.size()) >= room)
            late.push_back(
                {w.line, QStringLiteral("一つの単語ファイルに登録できる%1語を超えます").arg(kMaxRecords)});
        else
            now.words.push_back(w);
    }
    if (late.empty())
        return std::nullopt;

    // The list keeps to the first refused rows of the file: a row refused
    // now that lies behind the last one listed is counted, not listed.
    now.refusedRows = plan.refusedRows + qint64(late.size());
    const bool cut = plan.refusedRows > qint64(plan.refused.size());
    auto from = plan.refused.begin();
    for (const RefusedRow& row : late) {
        if (cut && !plan.refused.empty() && row.line > plan.refused.back().line)
            break;
        for (; from != plan.refused.end() && from->line < row.line; ++from)
            now.refused.push_back(*from);
        now.refused.push_back(row);
    }
    now.refused.insert(now.refused.end(), from, plan.refused.end());
    if (now.refused.size() > size_t(kListedRefusals))
        now.refused.resize(size_t(kListedRefusals));

    static const QString changed = QStringLiteral("確認のあとで単語ファイルの単語が変わったので、登録する単語"
                                                  "を見直しました。もう一度確かめてください。");
    now.notes = plan.notes;
    if (now.notes.value(0) != changed)
        now.notes.prepend(changed);
    return now;
}

ImportPlan ImportJob::run(const interchange::Progress& progress) const
{
    ImportPlanner planner(store_);
    interchange::readImportFile(file_, planner, progress);
    return planner.take();
}
