#include "field_text.h"

#include "store/codec.h"
#include "store/field_text.h"
#include "ui/dialogs.h"

std::optional<QByteArray> fieldBytes(const QString& text, Dialogs& dialogs)
{
    const QString refusal = fieldRefusal(text);
    if (!refusal.isEmpty()) {
        dialogs.message(refusal);
        return std::nullopt;
    }
    return cp932::encode(text);
}
