// The units library as the data-file interface uses it: validity of units,
// their names, and the conversion modes of items and axes. Not part of the
// library's API.
#ifndef KFS_DFS_DFS_UNITS_H
#define KFS_DFS_DFS_UNITS_H

namespace dfs {

// Unit key of the second.
constexpr int kUnitSecond = 1400;

bool unitValidForItemType(int itemType, int unit);
// Names from the registry; "" when the key is unknown.
const char* unitName(int unit);
const char* itemTypeName(int itemType);
// Key of a unit name (or alias); 0 when unknown.
int unitKeyOf(const char* name);
// Factor from a unit to the second, or false when it is none of time's.
bool secondsPerUnit(int unit, double* factor);
// Converts a value from one unit into another; false (value unchanged) when
// they cannot be converted.
bool convertUnit(int from, int to, double* value);

// Direction of a conversion by mode: into the stored unit (setting,
// writing) or out of it (getting, reading).
enum class Direction { ToStored, ToCaller };

// A conversion by one of the modes 0..3 of an item or an axis: `type` is the
// item type (data) or geometry type (axis), `unit` the stored unit and
// `convUnit` the unit of mode 2. Mode 0 and unknown modes leave the values.
struct Conversion {
  int mode;
  int convUnit;
  int type;
  int unit;
};

bool convertValue(const Conversion& c, Direction d, double* value);
bool convertArray(const Conversion& c, Direction d, float* values, int n, float deleteValue);
bool convertArray(const Conversion& c, Direction d, double* values, int n, double deleteValue);

}  // namespace dfs

#endif
