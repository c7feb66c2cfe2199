// Replacing display names from the language files of the table folder.
#ifndef QTY_LANGUAGEFILES_H
#define QTY_LANGUAGEFILES_H

#include <string>

class CKVregistry;

namespace qty {

// Reads "qtytype.lan", "qtyunit.lan" and "qtyfilter.lan" from `folder`
// (ending in "/") and replaces the keys (and unit abbreviations) of every
// entry the files name. A file that does not open, and an id a file does not
// name, leave the names from the table as they are.
void ApplyLanguageFiles(CKVregistry& registry, const std::string& folder);

}  // namespace qty

#endif
