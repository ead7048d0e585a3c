#include "store/file_stamp.h"

#include "regular_file.h"
#include "store/word_file.h"

#include <QHash>

FileStamp FileStamp::of(const QByteArray& content)
{
    FileStamp stamp;
    stamp.state = State::kRegular;
    stamp.size = content.size();
    // A seed of our own: the stamp depends on the content alone.
    stamp.contentHash = qHashBits(content.constData(), size_t(content.size()), 0x13);
    return stamp;
}

FileStamp stampOf(const QString& file)
{
    const FileRead read = readRegularFile(file, kMaxWordFileBytes);
    switch (read.outcome) {
    case FileRead::kRead: return FileStamp::of(read.bytes);
    case FileRead::kMissing: return {};
    default: break;
    }
    FileStamp stamp;
    stamp.state = FileStamp::State::kUnreadable;
    return stamp;
}
