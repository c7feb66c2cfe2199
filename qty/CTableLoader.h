// Reading the XML unit table into a registry.
//
// The table has three groups, each found anywhere in the document by
// "//Group[@Name=\"Units\"]" (then "Items", "Filters") and holding its rows
// as "Rows/R" elements whose attributes carry the data. Units come first
// because item types name them and filters name item types.
//
// Loading only adds: an entry whose id and ident are both registered (as the
// same entry) gets its names refreshed from the row, anything else already
// taken is passed over. A missing group is no error.
#ifndef QTY_CTABLELOADER_H
#define QTY_CTABLELOADER_H

#include <string>

class CKVregistry;

namespace qty {

// Loads the table at `path`. False (with "Document '...' not parsed
// successfully." to the diagnostics sink) when the file is missing or not
// well-formed; the registry is then unchanged. Switches LC_NUMERIC to "C"
// for the duration and restores it on every return.
bool LoadUnitTable(CKVregistry& registry, const std::string& path);

// Enters the eight base units (ids 1 to 8) unless present; they lead the
// unit list in id order.
void AddBaseUnits(CKVregistry& registry);

}  // namespace qty

#endif
