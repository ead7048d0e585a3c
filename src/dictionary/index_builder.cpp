// Takes an EDICT file's lines into the builder: every entry a word file can
// hold, with its headword, reading and glosses.
#include "index_builder.h"

#include "dictionary/euc_jp.h"
#include "index_layout.h"
#include "store/codec.h"

#include <algorithm>

namespace dictionary::indexing {

using namespace layout;

namespace {

constexpr qsizetype kMaxLine = 16 * 1024;
constexpr int kCancelEvery = 4096;

// Text a word file can hold: CP932 bytes that decode to characters, none
// of them in the user-defined area.
bool holdable(const QByteArray& cp932)
{
    const QString text = cp932::decode(cp932);
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return c == QChar::ReplacementCharacter || (c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF);
    });
}

bool ascii(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A headword in katakana alone is mostly the English word itself, borrowed:
// of little use as its meaning.
bool katakana(QByteArrayView euc)
{
    if (euc.isEmpty() || euc.size() % 2 != 0)
        return false;
    for (qsizetype i = 0; i < euc.size(); i += 2) {
        const auto lead = static_cast<unsigned char>(euc[i]);
        const auto trail = static_cast<unsigned char>(euc[i + 1]);
        if (lead != 0xA5 && !(lead == 0xA1 && (trail == 0xBC || trail == 0xA6)))
            return false;
    }
    return true;
}

} // namespace

bool Builder::add(QByteArrayView edict, BuildReport& report)
{
    qsizetype at = 0;
    int lines = 0;
    while (at < edict.size()) {
        if (++lines % kCancelEvery == 0 && cancelled())
            return false;
        qsizetype end = edict.indexOf('\n', at);
        if (end < 0)
            end = edict.size();
        QByteArrayView line = edict.sliced(at, end - at);
        at = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || isEdictHeader(line))
            continue;
        addLine(line, report);
    }
    return !cancelled();
}

void Builder::addLine(QByteArrayView line, BuildReport& report)
{
    if (line.size() > kMaxLine || !splitEdictLine(line, line_)) {
        ++report.malformed;
        return;
    }
    if (entries_.size() + 1 >= kMaxRecords || glosses_.size() + line_.glosses.size() >= kMaxRecords)
        return;
    QByteArray headword;
    QByteArray reading;
    if (!appendCp932(line_.headword, headword) || !appendCp932(line_.reading, reading) || !holdable(headword)
        || !holdable(reading)) {
        ++report.leftOut;
        return;
    }
    // The glosses of an entry that are not plain ASCII must be holdable too.
    std::vector<QByteArrayView> texts;
    texts.reserve(line_.glosses.size());
    for (const EdictGloss& g : line_.glosses) {
        if (ascii(g.text)) {
            texts.push_back(g.text);
            continue;
        }
        QByteArray converted;
        if (!appendCp932(g.text, converted) || !holdable(converted)) {
            ++report.leftOut;
            return;
        }
        converted_.push_back(converted);
        texts.push_back(converted_.back());
    }
    if (strings_.size() + 2 * line.size() + 4 >= qsizetype(kMaxStrings))
        return;

    const auto entry = quint32(entries_.size());
    entries_.push_back(quint32(strings_.size()));
    common_.push_back(line_.common);
    strings_.append(headword).append('\0').append(reading).append('\0');
    const bool loanword = katakana(line_.headword);
    for (size_t i = 0; i < texts.size(); ++i) {
        const QByteArrayView text = texts[i];
        const EdictGloss& g = line_.glosses[i];
        const bool verb = text.size() > 3 && (text.startsWith("to ") || text.startsWith("To "));
        const int senseSize = line_.senseSizes[size_t(g.sense)];
        glosses_.push_back({intern(text), entry, quint16(std::min<size_t>(i, 0xFFFF)),
                            quint8(std::min<size_t>(line_.senseSizes.size(), 0xFF)),
                            quint8(std::min(senseSize, 0xFF)), quint8(g.marked ? 2 : (loanword ? 1 : 0)),
                            quint8(verb ? 3 : 0), g.usuallyKana});
    }
    ++report.entries;
}

quint32 Builder::intern(QByteArrayView text)
{
    const std::string_view view(text.data(), size_t(text.size()));
    const auto [it, added] = interned_.try_emplace(view, quint32(strings_.size()));
    if (added)
        strings_.append(text.data(), text.size()).append('\0');
    return it->second;
}

} // namespace dictionary::indexing
