// Units and item types as kfsdump shows them: the id with the name and
// abbreviation the unit table gives for it, or the unit's text where a file
// stores only that (older files may); without a unit table, the id alone.
#ifndef TOOLS_KFSDUMP_UNIT_LABELS_H
#define TOOLS_KFSDUMP_UNIT_LABELS_H

#include <string>

#include "report.h"

namespace kfsdump {

// Loads the unit table from its default place; false (and one warning on
// standard error) when there is none: the dump goes on with ids.
bool LoadUnitTable();

// {id, name, abbreviation} of a unit id, or {text} for a unit known by text
// only (id -1); null names when the table does not know the id.
tools::Report UnitReport(int id, const char* text);
// {id, name} of an item type.
tools::Report ItemTypeReport(int id);
// "meter [m]", "unit 1000" (unknown id), or the unit text: for CSV headers.
std::string UnitLabel(int id, const char* text);

}  // namespace kfsdump

#endif
