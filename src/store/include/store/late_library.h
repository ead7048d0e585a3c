#pragma once

#include <QLibrary>
#include <QString>

// A shared library loaded when it is first needed rather than linked, so a
// start that never needs it neither maps it nor pays for its relocations.
// It stays loaded to the end of the run: what is made from it may outlive
// any one user.
class LateLibrary {
public:
    // lib<name>.so.<soVersion>, loaded now.
    LateLibrary(const QString& name, int soVersion);

    // Points `function` at `symbol`, or at nothing with the reason noted.
    template <typename Function> void resolve(Function*& function, const char* symbol)
    {
        function = reinterpret_cast<Function*>(find(symbol));
    }
    // Empty while the library and every function asked for were found.
    const QString& problem() const { return problem_; }

private:
    QFunctionPointer find(const char* symbol);

    QLibrary* library_;
    QString problem_;
};
