#include "engine_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace speech {

QString defaultEngineModule()
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QString built = program.filePath(QStringLiteral(LEXIWREN_SPEECH_MODULE_FILE));
    const QString installed =
        QDir::cleanPath(program.filePath(QStringLiteral(LEXIWREN_SPEECH_MODULE_FROM_BINDIR)));
    return QFileInfo::exists(built) ? built : installed;
}

const EngineModule* loadEngineModule(const QString& file, QString* problem)
{
    // Never unloaded (a QLibrary leaves the library loaded when it goes):
    // the engine made from it lives as long as the speech thread.
    QLibrary library(file);
    using Entry = const EngineModule* (*)();
    const auto entry = reinterpret_cast<Entry>(library.resolve(kEngineModuleEntry));
    if (!entry) {
        *problem = library.errorString();
        return nullptr;
    }
    const EngineModule* module = entry();
    if (!module || module->version != kEngineModuleVersion) {
        *problem = QStringLiteral("%1 is from another build").arg(file);
        return nullptr;
    }
    return module;
}

} // namespace speech
