// The CP932 codec on any bytes, and on any text.
//
// Which bytes must come back unchanged from decode and encode? Code page 932
// gives some characters two codes, and encoding can produce only one:
// - the NEC-selected IBM extensions 0xED40–0xEEFC repeat the IBM extensions
//   0xFA40–0xFC4B character for character; the IBM codes are the ones
//   written;
// - NEC row 13 repeats nine JIS X 0208 symbols (≒ ≡ ∫ √ ⊥ ∠ ∵ ∩ ∪ at
//   0x8790–0x879C); the JIS codes (0x81xx) are written;
// - the IBM extensions repeat the NEC row 13 characters Ⅰ–Ⅹ (0xFA4A–0xFA53),
//   ㈱ №  ℡ (0xFA58–0xFA5A) and the JIS ￢ (0xFA54) and ∵ (0xFA5B); the
//   NEC and JIS codes are written.
// So the bytes we call canonical are those that split into characters each
// of which is an ASCII byte 0x01–0x7F, a half-width katakana 0xA1–0xDF, or a
// lead byte 0x81–0x9F/0xE0–0xFC with a trail byte 0x40–0x7E/0x80–0xFC that
// the code page assigns, except the duplicate codes above. Canonical bytes
// must come back byte for byte. Bytes with a duplicate code must come back
// as the same text. Bytes that are no CP932 at all (a lone lead byte, an
// unassigned code, 0x80, 0xA0, 0xFD–0xFF, and the zero byte, which no word
// file holds) must show a replacement character
// for the user to see, and can then never be encoded back.
//
// And the other way: text that encodes decodes to itself, apart from the
// JIS code points input methods type, which are written as their CP932
// look-alikes, and U+F86F, a private-use code an old mapping table gave to
// the № at 0x8782 and the converter still accepts one way.

#include "fuzz_check.h"
#include "store/codec.h"
#include "store/failure.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <cstdint>

namespace {

enum class Kind { Canonical, Duplicate, Undecodable };

bool isLead(unsigned b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrail(unsigned b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

bool isDuplicateCode(unsigned code)
{
    if (code >= 0xED40 && code <= 0xEEFC)
        return true;
    switch (code) {
    case 0x8790:
    case 0x8791:
    case 0x8792:
    case 0x8795:
    case 0x8796:
    case 0x8797:
    case 0x879A:
    case 0x879B:
    case 0x879C: return true;
    default: return (code >= 0xFA4A && code <= 0xFA54) || (code >= 0xFA58 && code <= 0xFA5B);
    }
}

// Whether the code page assigns the double-byte code.
bool assigned(unsigned lead, unsigned trail)
{
    QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    const char pair[2] = {char(lead), char(trail)};
    const QString text = decoder.decode(QByteArrayView(pair, 2));
    return !decoder.hasError() && text.size() >= 1 && text.at(0) != QChar::ReplacementCharacter;
}

Kind classify(const QByteArray& bytes)
{
    Kind kind = Kind::Canonical;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto b = unsigned(static_cast<unsigned char>(bytes.at(i)));
        if ((b > 0 && b < 0x80) || (b >= 0xA1 && b <= 0xDF)) {
            ++i;
            continue;
        }
        if (!isLead(b) || i + 1 >= bytes.size())
            return Kind::Undecodable;
        const auto t = unsigned(static_cast<unsigned char>(bytes.at(i + 1)));
        if (!isTrail(t) || !assigned(b, t))
            return Kind::Undecodable;
        if (isDuplicateCode(b << 8 | t))
            kind = Kind::Duplicate;
        i += 2;
    }
    return kind;
}

// The JIS code points input methods type, written as their CP932 forms.
QString asWritten(QString text)
{
    for (QChar& c : text) {
        switch (c.unicode()) {
        case 0x301C: c = QChar(0xFF5E); break;
        case 0x2212: c = QChar(0xFF0D); break;
        case 0x2014: c = QChar(0x2015); break;
        case 0x2016: c = QChar(0x2225); break;
        case 0x00A2: c = QChar(0xFFE0); break;
        case 0x00A3: c = QChar(0xFFE1); break;
        case 0x00AC: c = QChar(0xFFE2); break;
        default: break;
        }
    }
    return text;
}

void bytesToTextAndBack(const QByteArray& bytes)
{
    const QString text = cp932::decode(bytes);
    const QByteArray first = cp932::firstCharacter(bytes);
    FUZZ_CHECK(bytes.startsWith(first) && first.size() <= 2 && (bytes.isEmpty() || !first.isEmpty()));

    switch (classify(bytes)) {
    case Kind::Canonical:
        FUZZ_CHECK(!text.contains(QChar::ReplacementCharacter));
        FUZZ_CHECK(cp932::encode(text) == bytes);
        FUZZ_CHECK(cp932::firstUnencodable(text).isEmpty());
        if (!bytes.isEmpty())
            FUZZ_CHECK(cp932::encode(cp932::decode(first)) == first);
        break;
    case Kind::Duplicate:
        FUZZ_CHECK(!text.contains(QChar::ReplacementCharacter));
        FUZZ_CHECK(cp932::decode(cp932::encode(text)) == text);
        break;
    case Kind::Undecodable: {
        FUZZ_CHECK(text.contains(QChar::ReplacementCharacter));
        bool refused = false;
        try {
            (void)cp932::encode(text);
        } catch (const Failure&) {
            refused = true;
        }
        FUZZ_CHECK(refused);
        FUZZ_CHECK(!cp932::firstUnencodable(text).isEmpty());
        break;
    }
    }
}

void textToBytesAndBack(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    QByteArray bytes;
    try {
        bytes = cp932::encode(text);
    } catch (const Failure&) {
        FUZZ_CHECK(!cp932::firstUnencodable(text).isEmpty());
        return;
    }
    FUZZ_CHECK(cp932::firstUnencodable(text).isEmpty());
    // U+0000 is never word-file text: it comes back as the mark of a byte
    // that does not decode.
    if (!text.contains(QChar(0xF86F)) && !text.contains(QChar(0)))
        FUZZ_CHECK(cp932::decode(bytes) == asWritten(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    bytesToTextAndBack(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    textToBytesAndBack(data, size);
    return 0;
}
