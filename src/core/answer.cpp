#include "core/answer.h"

#include "store/codec.h"

bool answerMatches(const QString& typed, const QByteArray& expected)
{
    if (!cp932::firstUnencodable(typed).isEmpty())
        return false;
    return cp932::encode(typed) == expected;
}
