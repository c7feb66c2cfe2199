// Where the unit table and its language files are looked for.
//
// The default table is "QTY.xml" in the data folders of base/kora_data.h:
// "$KORACORE_DATA/" when that is set; else "$KORA_HOME/bin/" (the table's
// documented home), then "$KORA_HOME/share/koracore/", when KORA_HOME is set;
// else the data folder of the installation the library was loaded from. The
// table folder is the folder of the table found, or of the first path tried
// when there is none, so that messages and the language files name the
// place the user asked for.
// Paths are built as strings of any length: a long KORA_HOME is no hazard.
#ifndef QTY_TABLEPATHS_H
#define QTY_TABLEPATHS_H

#include <string>

namespace qty {

// The table folder, ending in "/".
std::string TableFolder();
// The default table: the one found, else the first path tried.
std::string DefaultTablePath();
// Whether the default table exists.
bool DefaultTableExists();
// Every path tried for the default table, one per line with its origin.
std::string TableSearchList();

}  // namespace qty

#endif
