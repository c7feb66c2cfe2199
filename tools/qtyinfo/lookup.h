// Units, item types and filters named on the command line: by id, ident,
// name, or (units) by symbol or symbol expression ("ft", "m^3/s", "degC").
#ifndef TOOLS_QTYINFO_LOOKUP_H
#define TOOLS_QTYINFO_LOOKUP_H

#include <string>

namespace qtyinfo {

// The id; throws tools::Failure naming the text when nothing matches.
int FindUnit(const std::string& text);
int FindItemType(const std::string& text);
int FindFilter(const std::string& text);

// Texts of a unit for listings ("" for what the table leaves out).
std::string UnitAbbreviation(int unit);
std::string UnitName(int unit);
std::string UnitIdent(int unit);
// The powers of the seven base dimensions as SI base units: "m s^-1",
// "kg m^-3"; "1" for a non-dimensional unit.
std::string DimensionText(int unit);

}  // namespace qtyinfo

#endif
