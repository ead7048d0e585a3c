#pragma once

#include <QIcon>

// The program's icon, drawn from the PNG sizes compiled into the program.
// A size is read only when something asks for it, and read as PNG outright:
// left to guess a file's format, Qt would first load every image plugin
// installed on the system, which costs a start more than the icon itself.
QIcon appIcon();
