#pragma once

#include <QString>

namespace vantoriku {

inline constexpr char kHelpFileName[] = "help.html";

// Where the help document is: beside the executable when it is there (a
// build tree), otherwise in the installed data folder. Formed anew on every
// call, so a moved program finds its own copy.
QString helpFilePath();
// The same for a program in the given folder.
QString helpFilePathFor(const QString& programFolder);

} // namespace vantoriku
