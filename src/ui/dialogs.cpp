#include "ui/dialogs.h"

QString programName()
{
    return QStringLiteral("Lexiwren");
}
