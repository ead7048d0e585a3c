#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

// The widget of that class and object name below `root`, found the way a
// test finds what the learner sees: by its design name. A test that looks
// for a control that is not there fails at once (the test runner reports
// the exception) instead of following a null pointer.
template <typename W> W* named(const QObject* root, const char* name)
{
    W* found = root ? root->findChild<W*>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        throw std::runtime_error(std::string("no ") + W::staticMetaObject.className() + " named " + name);
    return found;
}
