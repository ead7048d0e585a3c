#pragma once

#include "index_layout.h"

#include <QByteArray>
#include <QtEndian>
#include <optional>

namespace dictionary {

// The header and the checksum of an image; the tables are laid out by the
// builder and read by Dictionary.
QByteArray headerBytes(const layout::Header& header);
// The header of an image when its magic, version and sizes agree with the
// image's length; the checksum is not looked at.
std::optional<layout::Header> readHeader(const QByteArray& image);
// SHA-1 over the whole image but the checksum's own bytes.
QByteArray imageChecksum(const QByteArray& image);

inline quint32 u32At(const char* table, quint32 index)
{
    return qFromLittleEndian<quint32>(table + 4 * qsizetype(index));
}

} // namespace dictionary
