// Flat interface: conversion of single values and arrays, directly and to
// or from an item type's user unit.
#include "qty/CKVitemType.h"
#include "qty/CLinearConversion.h"
#include "qty/FlatSupport.h"
#include "qty/QtyStatus.h"
#include "qty/qty.h"

using qty::Put;

namespace {

// Both units registered under non-zero ids and of equal dimensions.
QtyStatus Resolve(int from, int to, const CKVunit*& a, const CKVunit*& b) {
  const CKVregistry& registry = QtyRegistry();
  a = qty::ConvertibleUnit(registry, from);
  b = qty::ConvertibleUnit(registry, to);
  if (!a || !b) return QtyStatus::eUnknownUnit;
  return a->IsEqv(*b) ? QtyStatus::eOk : QtyStatus::eDimension;
}

QtyStatus ConvertValue(int from, int to, double* result, double value) {
  const CKVunit* a = nullptr;
  const CKVunit* b = nullptr;
  const QtyStatus status = Resolve(from, to, a, b);
  Put(result, status == QtyStatus::eOk ? CLinearConversion(*a, *b).Convert(value) : value);
  return status;
}

template <class T>
QtyStatus ConvertArray(int from, int to, T* data, int count, T deleteValue) {
  const CKVunit* a = nullptr;
  const CKVunit* b = nullptr;
  if (const QtyStatus status = Resolve(from, to, a, b); status != QtyStatus::eOk) return status;
  if (count < 1 || !data) return QtyStatus::eOk;
  CLinearConversion(*a, *b).Apply(data, count, deleteValue);
  return QtyStatus::eOk;
}

// The user unit of an item type.
QtyStatus UserUnit(int item, int& unit) {
  const CKVitemType* itemType = QtyRegistry().FindItemType(static_cast<long>(item));
  if (!itemType) return QtyStatus::eUnknownItemType;
  unit = itemType->GetItemUserUnit();
  return QtyStatus::eOk;
}

// A conversion of one value to (toUser) or from the item type's user unit;
// the value passes through when the item type is unknown.
QtyStatus ConvertUser(bool toUser, int item, int unit, double* result, double value) {
  int user = 0;
  if (const QtyStatus status = UserUnit(item, user); status != QtyStatus::eOk) {
    Put(result, value);
    return status;
  }
  return toUser ? ConvertValue(unit, user, result, value) : ConvertValue(user, unit, result, value);
}

template <class T>
QtyStatus ConvertUserArray(bool toUser, int item, int unit, T* data, int count, T deleteValue) {
  int user = 0;
  if (const QtyStatus status = UserUnit(item, user); status != QtyStatus::eOk) return status;
  return toUser ? ConvertArray(unit, user, data, count, deleteValue)
                : ConvertArray(user, unit, data, count, deleteValue);
}

// To (toBase) or from the base unit of the unit's dimension.
QtyStatus ConvertBase(bool toBase, int unit, double* result, double value) {
  const CKVunit* found = qty::ConvertibleUnit(QtyRegistry(), unit);
  if (!found) {
    Put(result, value);
    return QtyStatus::eUnknownUnit;
  }
  Put(result, toBase ? found->ToBase(value) : found->FromBase(value));
  return QtyStatus::eOk;
}

}  // namespace

extern "C" {

int qtyConvertUnit(int from, int to, double* result, double value) {
  return qty::Flat([&] { return ConvertValue(from, to, result, value); });
}

int qtyConvertUnitToBase(int unit, double* result, double value) {
  return qty::Flat([&] { return ConvertBase(true, unit, result, value); });
}

int qtyConvertUnitFromBase(int unit, double* result, double value) {
  return qty::Flat([&] { return ConvertBase(false, unit, result, value); });
}

int qtyConvertItemArrayD(int from, int to, double* data, int count, double deleteValue) {
  return qty::Flat([&] { return ConvertArray(from, to, data, count, deleteValue); });
}

int qtyConvertItemArrayF(int from, int to, float* data, int count, float deleteValue) {
  return qty::Flat([&] { return ConvertArray(from, to, data, count, deleteValue); });
}

int qtyConvertToUserUnit(int item, int unit, double* result, double value) {
  return qty::Flat([&] { return ConvertUser(true, item, unit, result, value); });
}

int qtyConvertFromUserUnit(int item, int unit, double* result, double value) {
  return qty::Flat([&] { return ConvertUser(false, item, unit, result, value); });
}

int qtyConvertItemArrayToUserUnitD(int item, int unit, double* data, int count,
                                   double deleteValue) {
  return qty::Flat([&] { return ConvertUserArray(true, item, unit, data, count, deleteValue); });
}

int qtyConvertItemArrayToUserUnitF(int item, int unit, float* data, int count, float deleteValue) {
  return qty::Flat([&] { return ConvertUserArray(true, item, unit, data, count, deleteValue); });
}

int qtyConvertItemArrayFromUserUnitD(int item, int unit, double* data, int count,
                                     double deleteValue) {
  return qty::Flat([&] { return ConvertUserArray(false, item, unit, data, count, deleteValue); });
}

int qtyConvertItemArrayFromUserUnitF(int item, int unit, float* data, int count,
                                     float deleteValue) {
  return qty::Flat([&] { return ConvertUserArray(false, item, unit, data, count, deleteValue); });
}

}  // extern "C"
