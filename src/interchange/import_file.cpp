#include "interchange/import_rows.h"

#include "forms.h"
#include "store/codec.h"
#include "store/failure.h"
#include "store/word_file.h"

#include <QStringDecoder>

namespace interchange {
namespace {

Failure notText(const QString& name)
{
    return Failure(QStringLiteral("ファイル %1 は CSV やテキスト、KVTML のファイルではありません").arg(name));
}

bool looksLikeXml(const QByteArray& bytes)
{
    QByteArray start = bytes.left(512);
    if (start.startsWith("\xEF\xBB\xBF"))
        start.remove(0, 3);
    start = start.trimmed();
    return start.startsWith("<?xml") || start.startsWith("<kvtml") || start.startsWith("<!DOCTYPE");
}

// UTF-8 first; a byte-order mark for UTF-16 or UTF-32 is honoured; text that
// is not valid UTF-8 is taken as CP932, the code page of Japanese
// spreadsheets' CSV and of our own word files.
QString decodeText(const QByteArray& bytes, const QString& name)
{
    const auto bom = QStringConverter::encodingForData(bytes);
    const QStringConverter::Encoding encoding = bom.value_or(QStringConverter::Utf8);
    QStringDecoder decoder(encoding);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError()) {
        if (text.startsWith(QChar::ByteOrderMark))
            text.remove(0, 1);
        return text;
    }
    if (bom)
        throw notText(name);
    text = cp932::decode(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        throw notText(name);
    return text;
}

} // namespace

std::vector<ImportRow> readImportBytes(const QByteArray& bytes, const QString& name)
{
    // A zero byte outside UTF-16 and UTF-32 means a program, an image or a
    // document, not text.
    if (bytes.contains('\0') && !QStringConverter::encodingForData(bytes))
        throw notText(name);
    if (looksLikeXml(bytes))
        return readKvtml(bytes, name);
    return readDelimited(decodeText(bytes, name));
}

std::vector<ImportRow> readImportFile(const QString& path)
{
    // Read like a word file: a FIFO or a device picked by mistake is refused
    // at once, never waited on or read without end.
    return readImportBytes(readWholeFile(path, kMaxImportBytes), path);
}

} // namespace interchange
