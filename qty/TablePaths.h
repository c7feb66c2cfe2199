// Where the unit table and its language files are looked for.
//
// The table folder is, in this order:
//  1. "$KORA_HOME/bin/" when KORA_HOME is set and not empty;
//  2. the installed data folder compiled into the library
//     (<prefix>/share/koracore/) when it holds "QTY.xml";
//  3. the data folder of the source tree the library was built from, so
//     that a build tree and its tests need no set-up.
// Paths are built as strings of any length: a long KORA_HOME is no hazard.
#ifndef QTY_TABLEPATHS_H
#define QTY_TABLEPATHS_H

#include <string>

namespace qty {

// The table folder, ending in "/".
std::string TableFolder();
// The rule itself: `home` is the value of KORA_HOME (null when unset), the
// other two the installed and the source data folders.
std::string TableFolder(const char* home, const std::string& installed, const std::string& source);
// TableFolder() + "QTY.xml".
std::string DefaultTablePath();

}  // namespace qty

#endif
