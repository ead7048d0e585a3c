#include "index_image.h"

#include <QCryptographicHash>

namespace dictionary {

using namespace layout;

namespace {

template <typename T> void put(QByteArray& out, qsizetype at, T value)
{
    qToLittleEndian<T>(value, out.data() + at);
}

template <typename T> T get(const QByteArray& in, qsizetype at)
{
    return qFromLittleEndian<T>(in.constData() + at);
}

} // namespace

QByteArray headerBytes(const Header& h)
{
    QByteArray out(kHeaderSize, '\0');
    std::memcpy(out.data(), kMagic, sizeof kMagic);
    put<quint32>(out, 8, h.version);
    put<quint32>(out, 12, h.entries);
    put<quint32>(out, 16, h.glosses);
    put<quint32>(out, 20, h.words);
    put<quint32>(out, 24, h.strings);
    put<quint64>(out, 32, h.sourceSize);
    put<qint64>(out, 40, h.sourceTime);
    return out;
}

std::optional<Header> readHeader(const QByteArray& image)
{
    if (image.size() < kHeaderSize || std::memcmp(image.constData(), kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    Header h;
    h.version = get<quint32>(image, 8);
    h.entries = get<quint32>(image, 12);
    h.glosses = get<quint32>(image, 16);
    h.words = get<quint32>(image, 20);
    h.strings = get<quint32>(image, 24);
    h.sourceSize = get<quint64>(image, 32);
    h.sourceTime = get<qint64>(image, 40);
    if (h.version != kVersion || h.entries >= kMaxRecords || h.glosses >= kMaxRecords
        || h.words >= kMaxRecords || h.strings > kMaxStrings || h.strings < 4)
        return std::nullopt;
    // Counts below 2^24 and strings below 2^28: no sum can overflow.
    const qint64 expected =
        kHeaderSize + 4 * qint64(h.entries) + 8 * qint64(h.glosses) + 4 * qint64(h.words) + qint64(h.strings);
    if (expected != image.size())
        return std::nullopt;
    return h;
}

QByteArray imageChecksum(const QByteArray& image)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const qsizetype after = kChecksumOffset + kChecksumSize;
    hash.addData(QByteArrayView(image).first(qMin<qsizetype>(image.size(), kChecksumOffset)));
    if (image.size() > after)
        hash.addData(QByteArrayView(image).sliced(after));
    return hash.result();
}

} // namespace dictionary
