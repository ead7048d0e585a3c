#include "store/codec.h"

#include "store/failure.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace cp932 {
namespace {

constexpr const char* kCodecName = "windows-31j";

// Where the JIS and Microsoft mappings of Shift-JIS disagree, input methods
// on Linux type the JIS code point; CP932 holds the Microsoft one.
QChar microsoftVariant(QChar c)
{
    switch (c.unicode()) {
    case 0x301C: return QChar(0xFF5E); // WAVE DASH -> FULLWIDTH TILDE (0x8160)
    case 0x2212: return QChar(0xFF0D); // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS (0x817C)
    case 0x2014: return QChar(0x2015); // EM DASH -> HORIZONTAL BAR (0x815C)
    case 0x2016: return QChar(0x2225); // DOUBLE VERTICAL LINE -> PARALLEL TO (0x8161)
    case 0x00A2: return QChar(0xFFE0); // CENT SIGN (0x8191)
    case 0x00A3: return QChar(0xFFE1); // POUND SIGN (0x8192)
    case 0x00AC: return QChar(0xFFE2); // NOT SIGN (0x81CA)
    default: return c;
    }
}

// The converter's table rotates three control codes (0x1A, 0x1C, 0x7F)
// the way old IBM code pages did; code page 932 keeps every byte below 0x80
// as itself. These two undo the rotation on the way in and out.
QChar asciiControlFromConverter(QChar c)
{
    switch (c.unicode()) {
    case 0x001C: return QChar(0x001A);
    case 0x007F: return QChar(0x001C);
    case 0x001A: return QChar(0x007F);
    default: return c;
    }
}

QChar asciiControlForConverter(QChar c)
{
    switch (c.unicode()) {
    case 0x001A: return QChar(0x001C);
    case 0x001C: return QChar(0x007F);
    case 0x007F: return QChar(0x001A);
    default: return c;
    }
}

QString toMicrosoftVariants(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        c = asciiControlForConverter(microsoftVariant(c));
    return out;
}

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool endsInLoneLeadByte(const QByteArray& bytes)
{
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (isLeadByte(static_cast<unsigned char>(bytes.at(i)))) {
            if (i + 1 == bytes.size())
                return true;
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

bool encodes(const QString& piece)
{
    QStringEncoder encoder(kCodecName);
    const QByteArray bytes = encoder.encode(piece);
    return !encoder.hasError() && !bytes.isEmpty();
}

} // namespace

QString decode(const QByteArray& bytes)
{
    bool plain = true;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 || b < 0x20) {
            plain = false;
            break;
        }
    }
    if (plain)
        return QString::fromLatin1(bytes);

    // One converter for the whole run: opening one per call would dominate
    // filling a list of a thousand records. Each thread keeps its own.
    thread_local QStringDecoder decoder(kCodecName, QStringConverter::Flag::ConvertInvalidToNull);
    decoder.resetState();
    QString text = decoder.decode(bytes);
    // Bytes that do not decode come out as U+0000 (a word file holds no zero
    // byte) and show as the replacement character. The converter's error
    // flag is no guide: after an error it stays set for later texts.
    for (QChar& c : text)
        c = c.unicode() == 0 ? QChar(QChar::ReplacementCharacter) : asciiControlFromConverter(c);
    // The converter keeps a lead byte at the very end for a trail byte that
    // never comes, and would show nothing for it.
    if (endsInLoneLeadByte(bytes))
        text += QChar::ReplacementCharacter;
    return text;
}

QString firstUnencodable(const QString& text)
{
    const QString mapped = toMicrosoftVariants(text);
    int i = 0;
    while (i < mapped.size()) {
        const int width =
            (mapped.at(i).isHighSurrogate() && i + 1 < mapped.size() && mapped.at(i + 1).isLowSurrogate())
            ? 2
            : 1;
        const QString piece = mapped.mid(i, width);
        if (piece.at(0).unicode() >= 0x80 && !encodes(piece))
            return text.mid(i, width);
        i += width;
    }
    return {};
}

QByteArray encode(const QString& text)
{
    const QString mapped = toMicrosoftVariants(text);
    QStringEncoder encoder(kCodecName);
    QByteArray bytes = encoder.encode(mapped);
    // A high surrogate at the very end is held back for its partner and
    // would vanish without an error.
    if (encoder.hasError() || (!mapped.isEmpty() && mapped.back().isHighSurrogate())) {
        const QString bad = firstUnencodable(text);
        throw Failure(
            QStringLiteral("文字「%1」(%2) は Shift-JIS で書けないので使えません").arg(bad, codePoint(bad)));
    }
    return bytes;
}

QString codePoint(const QString& character)
{
    const char32_t code =
        character.size() >= 2 && character.at(0).isHighSurrogate() && character.at(1).isLowSurrogate()
        ? QChar::surrogateToUcs4(character.at(0), character.at(1))
        : (character.isEmpty() ? U'?' : char32_t(character.at(0).unicode()));
    return QStringLiteral("U+")
        + QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QByteArray firstCharacter(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    const auto lead = static_cast<unsigned char>(bytes.at(0));
    if (isLeadByte(lead) && bytes.size() >= 2)
        return bytes.left(2);
    return bytes.left(1);
}

} // namespace cp932
