#include "store/failure.h"

#include "store/codec.h"

namespace {

QString withReason(const QString& text, const QString& reason)
{
    return reason.isEmpty() ? text : text + QLatin1Char('(') + reason + QLatin1Char(')');
}

} // namespace

Failure::Failure(const QString& text) : std::runtime_error(text.toStdString()), text_(text)
{
}

Failure Failure::notAnInteger(const QByteArray& cp932Text)
{
    return Failure(QStringLiteral("'%1' は整数ではありません").arg(cp932::decode(cp932Text)));
}

Failure Failure::cannotOpen(const QString& path, const QString& reason)
{
    return Failure(withReason(QStringLiteral("ファイル %1 は開けません").arg(path), reason));
}

Failure Failure::cannotCreate(const QString& path, const QString& reason)
{
    return Failure(withReason(QStringLiteral("ファイル %1 を作成できません").arg(path), reason));
}

Failure Failure::cannotWritePreferences(const QString& path, const QString& reason)
{
    return Failure(withReason(QStringLiteral("%1 に書き込めません").arg(path), reason));
}

Failure Failure::tooLarge()
{
    return Failure(QStringLiteral("文字列の大きさが メモ の制限を越えました"));
}

Failure Failure::wordFileTooLarge(const QString& path, qint64 limitBytes)
{
    return Failure(withReason(
        tooLarge().text(),
        QStringLiteral("ファイル %1 は単語ファイルには大きすぎます。単語ファイルは %2 MiB までです")
            .arg(path)
            .arg(limitBytes / (1024 * 1024))));
}
