#include "ui/handler.h"

#include "store/failure.h"
#include "ui/dialogs.h"

#include <new>

void runHandler(Dialogs& dialogs, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Failure& failure) {
        dialogs.error(failure.text() + QLatin1Char('.'));
    } catch (const std::bad_alloc&) {
        dialogs.error(QStringLiteral("メモリが足りません."));
    }
}
