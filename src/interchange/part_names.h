#pragma once

#include <QString>

namespace interchange {

// The parts of speech by name, as the files we write and read name them:
// the KVTML word types and the part column of CSV and tab-separated text.
// 0 名詞 … 4 熟語; empty for any other index. The same names the word list
// shows, but a form of their own: a file written once is to be read back
// whatever the window calls them later.
QString PartName(int index);

} // namespace interchange
