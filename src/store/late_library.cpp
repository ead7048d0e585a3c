#include "store/late_library.h"

LateLibrary::LateLibrary(const QString& name, int soVersion) : library_(new QLibrary(name, soVersion))
{
    // Never deleted, so never unloaded.
    if (!library_->load())
        problem_ = library_->errorString();
}

QFunctionPointer LateLibrary::find(const char* symbol)
{
    if (!library_->isLoaded())
        return nullptr;
    const QFunctionPointer function = library_->resolve(symbol);
    if (!function && problem_.isEmpty())
        problem_ = library_->errorString();
    return function;
}
