// The units library as the data-file interface calls it.
#include "kfs/dfs/dfs_units.h"

#include "qty/qty.h"

namespace dfs {

namespace {

// The unit the caller's values are in for a conversion mode; false when the
// mode converts nothing or the unit cannot be found.
bool callerUnit(const Conversion& c, int* unit) {
  switch (c.mode) {
    case 2: *unit = c.convUnit; return true;
    case 3: return qtyGetItemUnitSeq(c.type, 1, unit, nullptr) == 1;
    default: return false;
  }
}

}  // namespace

bool unitValidForItemType(int itemType, int unit) { return qtyItemUnitEqv(itemType, unit) == 1; }

const char* unitName(int unit) {
  const char* key = nullptr;
  if (qtyGetUnitKey(unit, &key) != 1 || !key) return "";
  return key;
}

const char* itemTypeName(int itemType) {
  const char* key = nullptr;
  if (qtyGetItemTypeKey(itemType, &key) != 1 || !key) return "";
  return key;
}

int unitKeyOf(const char* name) {
  int unit = 0;
  if (!name || qtyGetUnitTag(name, &unit) != 1) return 0;
  return unit;
}

bool secondsPerUnit(int unit, double* factor) {
  return qtyConvertUnit(unit, kUnitSecond, factor, 1.0) == 1;
}

bool convertUnit(int from, int to, double* value) {
  double result = *value;
  if (qtyConvertUnit(from, to, &result, *value) != 1) return false;
  *value = result;
  return true;
}

bool convertValue(const Conversion& c, Direction d, double* value) {
  if (c.mode == 1) {
    double result = *value;
    const int ok = d == Direction::ToStored
                       ? qtyConvertFromUserUnit(c.type, c.unit, &result, *value)
                       : qtyConvertToUserUnit(c.type, c.unit, &result, *value);
    if (ok == 1) *value = result;
    return ok == 1;
  }
  int other = 0;
  if (!callerUnit(c, &other)) return c.mode == 0;
  return d == Direction::ToStored ? convertUnit(other, c.unit, value)
                                  : convertUnit(c.unit, other, value);
}

bool convertArray(const Conversion& c, Direction d, float* values, int n, float deleteValue) {
  if (n < 1 || !values) return true;
  if (c.mode == 1) {
    return (d == Direction::ToStored
                ? qtyConvertItemArrayFromUserUnitF(c.type, c.unit, values, n, deleteValue)
                : qtyConvertItemArrayToUserUnitF(c.type, c.unit, values, n, deleteValue)) == 1;
  }
  int other = 0;
  if (!callerUnit(c, &other)) return c.mode == 0;
  return (d == Direction::ToStored
              ? qtyConvertItemArrayF(other, c.unit, values, n, deleteValue)
              : qtyConvertItemArrayF(c.unit, other, values, n, deleteValue)) == 1;
}

bool convertArray(const Conversion& c, Direction d, double* values, int n, double deleteValue) {
  if (n < 1 || !values) return true;
  if (c.mode == 1) {
    return (d == Direction::ToStored
                ? qtyConvertItemArrayFromUserUnitD(c.type, c.unit, values, n, deleteValue)
                : qtyConvertItemArrayToUserUnitD(c.type, c.unit, values, n, deleteValue)) == 1;
  }
  int other = 0;
  if (!callerUnit(c, &other)) return c.mode == 0;
  return (d == Direction::ToStored
              ? qtyConvertItemArrayD(other, c.unit, values, n, deleteValue)
              : qtyConvertItemArrayD(c.unit, other, values, n, deleteValue)) == 1;
}

}  // namespace dfs
