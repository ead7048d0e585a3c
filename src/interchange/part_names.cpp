#include "part_names.h"

namespace interchange {

QString PartName(int index)
{
    switch (index) {
    case 0: return QStringLiteral("名詞");
    case 1: return QStringLiteral("動詞");
    case 2: return QStringLiteral("形容詞");
    case 3: return QStringLiteral("副詞");
    case 4: return QStringLiteral("熟語");
    default: return {};
    }
}

} // namespace interchange
