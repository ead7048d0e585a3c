#pragma once

#include "engine.h"

#include <QString>

namespace speech {

// Where the speech module is looked for when the settings name none: beside
// the program (as built), then in the library folder of an installed one
// (lib/<arch>/lexiwren, found from the program's own folder).
QString defaultEngineModule();

// The module at `file`, loaded once and kept to the end of the run; nothing
// when it is missing, damaged or from another build (`problem` says which).
const EngineModule* loadEngineModule(const QString& file, QString* problem);

} // namespace speech
