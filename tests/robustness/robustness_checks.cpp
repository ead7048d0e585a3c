#include "robustness_checks.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace robustness {

QList<QByteArray> fileLines(const QByteArray& bytes)
{
    QByteArray text = bytes;
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    QList<QByteArray> lines = text.split('\n');
    // "a\n" splits into "a" and "": the empty piece after a final break is
    // no line. A file of zero bytes holds no line at all.
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray field(const QByteArray& line, int k)
{
    const QList<QByteArray> fields = line.split(',');
    return k <= fields.size() ? fields.at(k - 1) : fields.back();
}

bool isKnownMessage(const QString& text)
{
    static const QStringList exact{
        QStringLiteral("初期設定ファイル plimopref.ini\nが見つからなかったので新たに作成しました。"),
        QStringLiteral("一つの単語ファイルに登録できるのは1000語までです。"),
        QStringLiteral("既に登録されています。"),
        QStringLiteral("「単語」「意味」「品詞」は必須項目です"),
        QStringLiteral("半角のカンマ「,」は使えません。\n全角の「，」か「、」を使ってください。"),
        QStringLiteral("改行やタブなどの制御文字は使えません。"),
        QStringLiteral("登録されている単語が一つもありません。\nまずは単語登録しましょう！"),
        QStringLiteral("そのデータを変更することはできません。"),
        QStringLiteral("選択単語データを消去します。よろしいですか？"),
        QStringLiteral(
            "出題モードに該当した単語が一つもありませんでした。\nオプションで設定し直してください。"),
        QStringLiteral("正解っす"),
        QStringLiteral("残念！"),
        QStringLiteral("登録単語数が現在のモードでは足りません。"),
        QStringLiteral("テスト中です。中断しますか？"),
        QStringLiteral("正解率データを消去します。よろしいですか？"),
        QStringLiteral("メモリが足りません."),
    };
    // Failures name the offending text or file; the error box adds ".".
    static const QList<QRegularExpression> patterns{
        QRegularExpression(QStringLiteral("^'.*' は整数ではありません\\.$")),
        QRegularExpression(QStringLiteral("^ファイル .* は開けません\\.$")),
        QRegularExpression(QStringLiteral("^ファイル .* を作成できません\\.$")),
        QRegularExpression(QStringLiteral("^.+ に書き込めません\\.$")),
        QRegularExpression(
            QStringLiteral("^文字列の大きさが メモ の制限を越えました\\(ファイル .* は単語ファイルには"
                           "大きすぎます。単語ファイルは 16 MiB までです\\)\\.$")),
        QRegularExpression(QStringLiteral(
            "^ファイル .* はテキストの単語ファイルではありません\\(0 のバイトを含んでいます\\)\\.$")),
        QRegularExpression(
            QStringLiteral("^文字「.+」\\(U\\+[0-9A-F]{4,6}\\) は Shift-JIS で書けないので使えません\\.$")),
    };
    if (exact.contains(text))
        return true;
    // The patterns match valid UTF-16 only; a lone surrogate named in a
    // message stands in as U+FFFD.
    QString checked = text;
    for (qsizetype i = 0; i < checked.size(); ++i) {
        const QChar c = checked.at(i);
        const bool paired =
            (c.isHighSurrogate() && i + 1 < checked.size() && checked.at(i + 1).isLowSurrogate())
            || (c.isLowSurrogate() && i > 0 && checked.at(i - 1).isHighSurrogate());
        if (c.isSurrogate() && !paired)
            checked[i] = QChar::ReplacementCharacter;
    }
    for (QRegularExpression pattern : patterns) {
        pattern.setPatternOptions(QRegularExpression::DotMatchesEverythingOption);
        if (pattern.match(checked).hasMatch())
            return true;
    }
    return false;
}

std::string unknownMessages(const ScriptedDialogs& dialogs)
{
    // Every box is looked at here, the errors among them.
    dialogs.errors();
    QString out;
    for (const ScriptedDialogs::Shown& shown : dialogs.shown) {
        const bool box = shown.kind == ScriptedDialogs::Kind::Message
            || shown.kind == ScriptedDialogs::Kind::Confirm || shown.kind == ScriptedDialogs::Kind::Error;
        if (box && !isKnownMessage(shown.text))
            out += shown.text.left(200) + QLatin1Char('\n');
    }
    return out.toStdString();
}

namespace {

QString show(const QByteArray& line)
{
    return QString::fromLatin1(line.left(80).toPercentEncoding(" ,$-"));
}

bool isInteger(const QByteArray& text)
{
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+$"));
    return number.match(QString::fromLatin1(text)).hasMatch();
}

} // namespace

std::string untouchedExceptAnswered(const QByteArray& before, const QByteArray& after,
                                    const QSet<int>& answered)
{
    const QList<QByteArray> old = fileLines(before);
    const QList<QByteArray> now = fileLines(after);
    if (old.size() != now.size())
        return QStringLiteral("%1 lines became %2").arg(old.size()).arg(now.size()).toStdString();
    QString out;
    // A file that ended without a line break is saved without one.
    const auto endsWithBreak = [](const QByteArray& b) { return b.endsWith('\r') || b.endsWith('\n'); };
    if (!old.isEmpty() && endsWithBreak(before) != endsWithBreak(after))
        out += QStringLiteral("the final line break came or went\n");
    for (int i = 0; i < old.size(); ++i) {
        const QByteArray& a = old.at(i);
        const QByteArray& b = now.at(i);
        if (a == b)
            continue;
        if (!answered.contains(i)) {
            out += QStringLiteral("line %1 changed unanswered: %2 -> %3\n").arg(i).arg(show(a), show(b));
            continue;
        }
        // A counted answer rebuilds the record from its first five fields
        // and two counters; each counter is either the old text (a damaged
        // one stops the count) or a number.
        bool kept = b.count(',') == 6;
        for (int k = 1; k <= 5 && kept; ++k)
            kept = field(b, k) == field(a, k);
        for (int k = 6; k <= 7 && kept; ++k)
            kept = field(b, k) == field(a, k) || isInteger(field(b, k));
        if (!kept)
            out += QStringLiteral("line %1 changed beyond its counters: %2 -> %3\n")
                       .arg(i)
                       .arg(show(a), show(b));
    }
    return out.toStdString();
}

std::string holdsOnlyWhatTheFormatCan(const QByteArray& bytes, int lines)
{
    QString out;
    if (bytes.contains('\0'))
        out += QStringLiteral("a zero byte\n");
    // Every break is CR LF: a lone CR or LF would be a line break inside
    // what the program wrote as one line.
    QByteArray rest = bytes;
    rest.replace("\r\n", "");
    if (rest.contains('\r') || rest.contains('\n'))
        out += QStringLiteral("a lone CR or LF\n");
    const QList<QByteArray> found = fileLines(bytes);
    if (found.size() != lines)
        out += QStringLiteral("%1 lines, expected %2\n").arg(found.size()).arg(lines);
    for (int i = 0; i < found.size(); ++i) {
        const QByteArray& line = found.at(i);
        QStringDecoder decoder("windows-31j");
        const QString text = decoder.decode(line);
        if (decoder.hasError() || text.contains(QChar::ReplacementCharacter))
            out += QStringLiteral("line %1 is not CP932: %2\n").arg(i).arg(show(line));
        if (line.count(',') < 6)
            out += QStringLiteral("line %1 has fewer than seven fields: %2\n").arg(i).arg(show(line));
    }
    return out.toStdString();
}

} // namespace robustness
