#include "history/error.h"

namespace history {

QString Error::reason() const
{
    switch (problem) {
    case Problem::NotAFile: return QStringLiteral("通常のファイルではありません");
    case Problem::ReadOnly: return QStringLiteral("書き込みが禁止されています");
    case Problem::Locked: return QStringLiteral("ほかのプログラムが使用中です");
    case Problem::Full: return QStringLiteral("ディスクに空きがありません");
    case Problem::Damaged: return QStringLiteral("ファイルが壊れています");
    case Problem::Foreign: return QStringLiteral("Lexiwren の学習履歴ではありません");
    case Problem::Newer: return QStringLiteral("新しい版の Lexiwren で作られています");
    case Problem::TooLarge: return QStringLiteral("大きすぎます");
    case Problem::Failed: break;
    }
    return QStringLiteral("読み書きできません");
}

QString Error::message() const
{
    // The counts live in the word file; the learner needs to know only that
    // the history missed something, and that nothing else did.
    if (writing)
        return QStringLiteral("学習履歴 %1 に記録できません(%2)。\n"
                              "回答数と正解数はこれまでどおり単語ファイルに記録されます。")
            .arg(file, reason());
    return QStringLiteral("学習履歴 %1 を読み込めません(%2)。").arg(file, reason());
}

} // namespace history
