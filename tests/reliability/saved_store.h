#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// The k-th store the saver child writes: a deterministic function of k with
// k in its first record, so the parent can tell which whole store a file
// holds. Between 1 and 400 records (60 B to 40 kB), half of them ending with
// a line break, so a cut or mixed file cannot pass for another whole store.
inline QByteArray savedStore(quint32 k)
{
    const quint32 records = 1 + (k * 2654435761u) % 400u;
    const QByteArray n = QByteArray::number(k);
    QByteArray text = "counter," + n + ",,,0,0,0";
    for (quint32 i = 1; i < records; ++i) {
        const QByteArray r = QByteArray::number(i);
        // "りんご" in CP932 as the meaning.
        text += "\r\nword" + n + '-' + r + ",\x82\xe8\x82\xf1\x82\xb2,An example of " + r + ",,"
            + QByteArray::number(i % 5) + ',' + r + ',' + QByteArray::number(k % 7);
    }
    if (k % 2 == 0)
        text += "\r\n";
    return text;
}

// The k of the store a file holds, read from its first record.
inline std::optional<quint32> counterIn(const QByteArray& file)
{
    const QList<QByteArray> first = file.left(file.indexOf('\r')).split(',');
    if (first.size() < 2 || first.at(0) != "counter")
        return std::nullopt;
    bool ok = false;
    const quint32 k = first.at(1).toUInt(&ok);
    return ok ? std::optional<quint32>(k) : std::nullopt;
}
