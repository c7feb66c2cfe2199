// The English line of each status code of the units library.
#include "qty/qty.h"

extern "C" {

QTY_API const char* qtyErrorText(int code) {
  switch (code) {
    case qtyFailed: return "the call failed";
    case qtySucceeded: return "success";
    case qtyErrUnknownUnit: return "no unit with that id, ident, key or alias";
    case qtyErrUnknownItemType: return "no item type with that id or ident";
    case qtyErrUnknownFilter: return "no filter with that id or ident";
    case qtyErrDimension:
      return "the dimensions do not match (of two units, or of unit and item type)";
    case qtyErrArgument: return "a required argument is null or empty";
    case qtyErrPosition: return "position outside the list";
    case qtyErrTaken: return "the ident is taken or the unit already allowed";
    case qtyErrExpression: return "the unit expression is not valid or gives no unit";
    case qtyErrNotFound: return "no registered entry matches";
    case qtyErrNoFreeId: return "no id or filter bit left for a new entry";
    case qtyErrTable: return "the unit table is missing or not well-formed XML";
    case qtyErrFile: return "a file could not be created or written";
    case qtyErrMemory: return "memory allocation failed";
  }
  return "unknown qty status code";
}

}  // extern "C"
