// The one status of the units library.
//
// Everything below the flat interface that can fail says why with a
// QtyStatus; the flat functions turn it into their answer - 1 for eOk, 0 for
// any failure - in one place, qty::Flat, which is also where an exception
// (std::bad_alloc above all) stops: none may leave a function with C
// linkage. The values are the public codes of qty.h, so qtyErrorText names
// them. Internal to libqty.
#ifndef QTY_QTYSTATUS_H
#define QTY_QTYSTATUS_H

#include "qty/qty.h"

enum class QtyStatus : int {
  eOk = qtySucceeded,
  eUnknownUnit = qtyErrUnknownUnit,
  eUnknownItemType = qtyErrUnknownItemType,
  eUnknownFilter = qtyErrUnknownFilter,
  eDimension = qtyErrDimension,
  eArgument = qtyErrArgument,
  ePosition = qtyErrPosition,
  eTaken = qtyErrTaken,
  eExpression = qtyErrExpression,
  eNotFound = qtyErrNotFound,
  eNoFreeId = qtyErrNoFreeId,
  eTable = qtyErrTable,
  eFile = qtyErrFile,
  eMemory = qtyErrMemory
};

namespace qty {

// The answer of the flat interface: 1 for eOk, 0 for every failure.
inline int ToFlat(QtyStatus status) { return status == QtyStatus::eOk ? 1 : 0; }

// Runs the body of a flat function that answers 1 or 0. The body returns a
// QtyStatus; whatever it throws ends here as 0. On the normal path this
// costs nothing: the handler lives in the unwind tables.
template <class Body>
int Flat(Body&& body) noexcept {
  try {
    return ToFlat(body());
  } catch (...) {
    return 0;
  }
}

// The same for flat functions that answer a value (a count, a mask, a
// text): `failure` when the body throws.
template <class T, class Body>
T Guarded(T failure, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

// The same for flat functions without a result: an exception ends here and
// the call simply returns.
template <class Body>
void Guarded(Body&& body) noexcept {
  try {
    body();
  } catch (...) {}
}

}  // namespace qty

#endif
