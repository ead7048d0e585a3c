#include "core/answer.h"

#include "store/codec.h"
#include "store/failure.h"

bool answerMatches(const QString& typed, const QByteArray& expected)
{
    try {
        return cp932::encode(typed) == expected;
    } catch (const Failure&) {
        return false; // a character with no CP932 code
    }
}
