#include "store/failure.h"

#include "store/codec.h"

Failure::Failure(const QString& text) : std::runtime_error(text.toStdString()), text_(text)
{
}

Failure Failure::notAnInteger(const QByteArray& cp932Text)
{
    return Failure(QStringLiteral("'%1' は整数ではありません").arg(cp932::decode(cp932Text)));
}

Failure Failure::cannotOpen(const QString& path)
{
    return Failure(QStringLiteral("ファイル %1 は開けません").arg(path));
}

Failure Failure::cannotCreate(const QString& path)
{
    return Failure(QStringLiteral("ファイル %1 を作成できません").arg(path));
}

Failure Failure::cannotWritePreferences(const QString& path)
{
    return Failure(QStringLiteral("%1 に書き込めません").arg(path));
}

Failure Failure::tooLarge()
{
    return Failure(QStringLiteral("文字列の大きさが メモ の制限を越えました"));
}
