#include "core/conflict.h"

ExternalChange::ExternalChange(const QString& path)
    : Failure(QStringLiteral("単語ファイル %1 は Lexiwren の外で変更されています").arg(path)), path_(path)
{
}

FileInUse::FileInUse(const QString& path)
    : Failure(
        QStringLiteral("単語ファイル %1 はほかの Lexiwren で開かれています。そちらの Lexiwren を使うか、"
                       "閉じてから開いてください")
            .arg(path)),
      path_(path)
{
}
