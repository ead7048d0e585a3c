#include "interchange/import_rows.h"

#include "forms.h"
#include "store/codec.h"
#include "store/failure.h"
#include "store/word_file.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace interchange {
namespace {

Failure notText(const QString& name)
{
    return Failure(QStringLiteral("ファイル %1 は CSV やテキスト、KVTML のファイルではありません").arg(name));
}

Failure tooLarge(const QString& name)
{
    return Failure(QStringLiteral("ファイル %1 は大きすぎるのでインポートできません(%2 MiB まで)")
                       .arg(name)
                       .arg(kMaxImportBytes / (1024 * 1024)));
}

bool looksLikeXml(const QByteArray& bytes)
{
    QByteArray start = bytes.left(512);
    if (start.startsWith("\xEF\xBB\xBF"))
        start.remove(0, 3);
    start = start.trimmed();
    return start.startsWith("<?xml") || start.startsWith("<kvtml") || start.startsWith("<!DOCTYPE");
}

// How the bytes read as UTF-8: sequences of two to four bytes that are
// valid, and bytes that belong to none.
struct Utf8Count {
    qsizetype valid = 0;
    qsizetype invalid = 0;
};

Utf8Count countUtf8(QByteArrayView bytes)
{
    Utf8Count count;
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar c = p[i];
        const int length = c < 0x80    ? 1
            : (c >= 0xC2 && c <= 0xDF) ? 2
            : (c & 0xF0) == 0xE0       ? 3
            : (c >= 0xF0 && c <= 0xF4) ? 4
                                       : 0;
        bool ok = length > 0 && i + length <= n;
        for (int k = 1; ok && k < length; ++k)
            ok = (p[i + k] & 0xC0) == 0x80;
        // Overlong forms, surrogates and code points past U+10FFFF.
        if (ok && length == 3)
            ok = !(c == 0xE0 && p[i + 1] < 0xA0) && !(c == 0xED && p[i + 1] >= 0xA0);
        if (ok && length == 4)
            ok = !(c == 0xF0 && p[i + 1] < 0x90) && !(c == 0xF4 && p[i + 1] >= 0x90);
        if (!ok) {
            ++count.invalid;
            ++i;
        } else {
            count.valid += length > 1;
            i += length;
        }
    }
    return count;
}

// The text as UTF-8 without a byte-order mark: a view of `bytes`, or of
// `converted` where it had to be converted. UTF-8 is taken as it is; a
// byte-order mark for UTF-16 or UTF-32 is honoured; other text is CP932,
// the code page of Japanese spreadsheets' CSV and of our own word files,
// unless it is plainly UTF-8 with a few damaged bytes: then those bytes
// show as U+FFFD (which no row can be registered with) rather than every
// Japanese character turning into another one.
QByteArrayView utf8Text(const QByteArray& bytes, const QString& name, ImportSink& sink, QByteArray& converted)
{
    const auto bom = QStringConverter::encodingForData(bytes);
    if (bom && *bom != QStringConverter::Utf8) {
        QStringDecoder decoder(*bom);
        QString text = decoder.decode(bytes);
        if (decoder.hasError())
            throw notText(name);
        if (text.startsWith(QChar::ByteOrderMark))
            text.remove(0, 1);
        converted = text.toUtf8();
        return converted;
    }
    const QByteArrayView body = QByteArrayView(bytes).sliced(bom ? 3 : 0);
    const Utf8Count count = countUtf8(body);
    if (count.invalid == 0)
        return body;
    if (bom || count.invalid * 8 < count.valid) {
        sink.note(QStringLiteral("ファイルには UTF-8 として読めないバイトが %1 か所あります。"
                                 "そこは「\uFFFD」として読んだので、その行は登録しません。")
                      .arg(count.invalid));
        converted = QString::fromUtf8(body).toUtf8();
        return converted;
    }
    const QString text = cp932::decode(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        throw notText(name);
    converted = text.toUtf8();
    return converted;
}

class Gathered : public ImportSink {
public:
    void row(ImportRow&& row) override { rows.push_back(std::move(row)); }
    void note(const QString&) override { }
    std::vector<ImportRow> rows;
};

} // namespace

void readImportBytes(const QByteArray& bytes, const QString& name, ImportSink& sink, const Progress& progress)
{
    if (bytes.size() > kMaxImportBytes)
        throw tooLarge(name);
    // A zero byte outside UTF-16 and UTF-32 means a program, an image or a
    // document, not text.
    if (bytes.contains('\0') && !QStringConverter::encodingForData(bytes))
        throw notText(name);
    if (looksLikeXml(bytes)) {
        ProgressGate gate(progress, bytes.size());
        return readKvtml(bytes, name, sink, gate);
    }
    QByteArray converted;
    const QByteArrayView text = utf8Text(bytes, name, sink, converted);
    ProgressGate gate(progress, text.size());
    readDelimited(text, sink, gate);
}

void readImportFile(const QString& path, ImportSink& sink, const Progress& progress)
{
    // Too large is said at once, before anything is read; a file that
    // grows while being read, or a /proc file that claims no size, is
    // stopped at the same bound. A FIFO or a device picked by mistake is
    // refused at once, never waited on or read without end.
    if (QFileInfo(path).size() > kMaxImportBytes)
        throw tooLarge(path);
    QByteArray bytes;
    try {
        bytes = readWholeFile(path, kMaxImportBytes, path);
    } catch (const Failure& failure) {
        if (failure.text() == Failure::tooLarge().text())
            throw tooLarge(path);
        throw;
    }
    readImportBytes(bytes, path, sink, progress);
}

std::vector<ImportRow> readImportFile(const QString& path)
{
    Gathered gathered;
    readImportFile(path, gathered);
    return std::move(gathered.rows);
}

std::vector<ImportRow> readImportBytes(const QByteArray& bytes, const QString& name)
{
    Gathered gathered;
    readImportBytes(bytes, name, gathered);
    return std::move(gathered.rows);
}

} // namespace interchange
