#include "ui/handler.h"

#include "store/failure.h"
#include "ui/dialogs.h"

#include <new>

void showFailure(Dialogs& dialogs, const QString& text)
{
    dialogs.error(text + QLatin1Char('.'));
}

void runHandler(Dialogs& dialogs, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Failure& failure) {
        showFailure(dialogs, failure.text());
    } catch (const std::bad_alloc&) {
        showFailure(dialogs, QStringLiteral("メモリが足りません"));
    }
}
