#include "kvtml_guard.h"

#include "store/failure.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace interchange {
namespace {

bool nameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || (c & 0x80);
}

// Calls `found` with the name of each entity reference "&name;" in `text`
// (a character reference "&#…;" is none).
template <typename Found> void forEachReference(QByteArrayView text, Found found)
{
    for (qsizetype at = text.indexOf('&'); at >= 0; at = text.indexOf('&', at + 1)) {
        if (at + 1 >= text.size() || !nameStart(text[at + 1]))
            continue;
        qsizetype end = at + 1;
        while (end < text.size() && !QByteArrayView(";&<>\"' \t\r\n").contains(text[end]))
            ++end;
        if (end < text.size() && text[end] == ';')
            found(text.sliced(at + 1, end - at - 1));
    }
}

qint64 saturated(qint64 a, qint64 b, qint64 cap)
{
    return std::min(cap, a + b);
}

Failure external(const QString& name, const QString& entity, const QString& target)
{
    return Failure(QStringLiteral("ファイル %1 は実体「%2」でほかのファイル %3 "
                                  "を取り込もうとしているので読み込めません(ほかのファイルは読みません)")
                       .arg(name, entity, target));
}

// Where the document type declaration begins: behind the XML declaration,
// comments, processing instructions and blanks, in front of any element;
// -1 when there is none.
qsizetype doctypeStart(QByteArrayView bytes)
{
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (;;) {
        while (i < bytes.size() && QByteArrayView(" \t\r\n").contains(bytes[i]))
            ++i;
        const QByteArrayView rest = bytes.sliced(i);
        if (rest.startsWith("<!DOCTYPE"))
            return i;
        const QByteArrayView end = rest.startsWith("<?") ? "?>" : rest.startsWith("<!--") ? "-->" : "";
        const qsizetype close = end.isEmpty() ? -1 : bytes.indexOf(end, i + 2);
        if (close < 0)
            return -1;
        i = close + end.size();
    }
}

} // namespace

QString tooMuchExpansion(const QString& name, qint64 budget)
{
    return QStringLiteral("ファイル %1 は実体を展開すると %2 文字を越えるので読み込めません")
        .arg(name)
        .arg(budget);
}

void checkInternalSubset(const QByteArray& bytes, const QString& name)
{
    const qsizetype doctype = doctypeStart(bytes);
    if (doctype < 0)
        return;
    const qsizetype n = bytes.size();
    char quote = 0;
    qsizetype i = doctype + 9;
    // The name and the external id, up to the subset's "[" or the end.
    for (; i < n; ++i) {
        const char c = bytes[i];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return;
        } else if (c == '[') {
            break;
        }
    }
    const QByteArrayView all(bytes);
    for (++i; i < n; ++i) {
        const char c = bytes[i];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ']') {
            return;
        } else if (all.sliced(i).startsWith("<!--") || all.sliced(i).startsWith("<?")) {
            const qsizetype close = bytes.indexOf(bytes[i + 1] == '!' ? "-->" : "?>", i + 2);
            if (close < 0)
                return;
            i = close + 1;
        } else if (c == '%' && i + 1 < n && nameStart(bytes[i + 1])) {
            throw Failure(
                QStringLiteral("ファイル %1 は DTD の中でパラメータ実体を使っているので読み込めません")
                    .arg(name));
        }
    }
}

void checkEntities(const QXmlStreamEntityDeclarations& declarations, const QByteArray& bytes,
                   const QString& name)
{
    const qint64 budget = expansionBudget(bytes.size());
    const qint64 cap = budget + 1;
    // Each internal entity's text with its references still in it: its
    // length without them, and their names.
    struct Entity {
        qint64 plain = 0;
        std::vector<QByteArray> references;
        qint64 expanded = -1; // not known yet
    };
    QHash<QByteArray, Entity> entities;
    for (const QXmlStreamEntityDeclaration& declaration : declarations) {
        const QString entity = declaration.name().toString();
        if (!declaration.systemId().isEmpty() || !declaration.publicId().isEmpty())
            throw external(
                name, entity,
                (declaration.systemId().isEmpty() ? declaration.publicId() : declaration.systemId())
                    .toString());
        const QByteArray value = declaration.value().toString().toUtf8();
        Entity e;
        e.plain = value.size();
        forEachReference(value, [&](QByteArrayView reference) {
            e.plain -= reference.size() + 2;
            e.references.push_back(reference.toByteArray());
        });
        entities.insert(entity.toUtf8(), std::move(e));
    }
    if (entities.isEmpty())
        return;

    // Expanded lengths from the inside out, one level of nesting a round;
    // what is still unknown after as many rounds as elements may nest
    // refers to itself or nests deeper, and is taken for too much.
    for (int round = 0; round < kMaxKvtmlDepth; ++round) {
        bool progress = false;
        for (Entity& e : entities) {
            if (e.expanded >= 0)
                continue;
            qint64 length = e.plain;
            bool known = true;
            for (const QByteArray& reference : e.references) {
                const auto inner = entities.constFind(reference);
                // The five predefined entities and undeclared ones (which Qt
                // refuses) stand for their own few characters at most.
                const qint64 size = inner == entities.cend() ? reference.size() + 2 : inner->expanded;
                known = known && size >= 0;
                length = saturated(length, std::max<qint64>(size, 0), cap);
            }
            if (known) {
                e.expanded = length;
                progress = true;
            }
        }
        if (!progress)
            break;
    }

    qint64 total = 0;
    forEachReference(bytes, [&](QByteArrayView reference) {
        const auto e = entities.constFind(reference.toByteArray());
        if (e != entities.cend())
            total = saturated(total, e->expanded < 0 ? cap : e->expanded, cap);
    });
    if (total > budget)
        throw Failure(tooMuchExpansion(name, budget));
}

} // namespace interchange
