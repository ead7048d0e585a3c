#include "ui/handler.h"

#include "store/failure.h"
#include "ui/dialogs.h"

#include <new>

void runHandler(Dialogs& dialogs, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Failure& failure) {
        if (failure.isNotice())
            dialogs.message(failure.text());
        else
            dialogs.error(failure.text() + QLatin1Char('.'));
    } catch (const std::bad_alloc&) {
        dialogs.error(QStringLiteral("メモリが足りません."));
    }
}
