// The listings of qtyinfo: units, item types, filters, the allowed units of
// an item type, and one unit in full.
#ifndef TOOLS_QTYINFO_LISTINGS_H
#define TOOLS_QTYINFO_LISTINGS_H

#include <string>

#include "table.h"

namespace qtyinfo {

tools::Table Units();
// filter: a filter mask, or 0 for all item types.
tools::Table ItemTypes(int filter);
tools::Table Filters();
tools::Table AllowedUnits(int item);
tools::Table UnitDetails(int unit);

}  // namespace qtyinfo

#endif
