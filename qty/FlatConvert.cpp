// Flat interface: conversion of single values and arrays, directly and to
// or from an item type's user unit.
#include "qty/CKVitemType.h"
#include "qty/CLinearConversion.h"
#include "qty/FlatSupport.h"
#include "qty/qty.h"

using qty::Put;

namespace {

// Both units registered under non-zero ids and of equal dimensions.
bool Resolve(int from, int to, const CKVunit*& a, const CKVunit*& b) {
  const CKVregistry& registry = QtyRegistry();
  a = qty::ConvertibleUnit(registry, from);
  b = qty::ConvertibleUnit(registry, to);
  return a && b && a->IsEqv(*b);
}

template <class T>
int ConvertArray(int from, int to, T* data, int count, T deleteValue) {
  const CKVunit* a = nullptr;
  const CKVunit* b = nullptr;
  if (!Resolve(from, to, a, b)) return 0;
  if (count < 1 || !data) return 1;
  CLinearConversion(*a, *b).Apply(data, count, deleteValue);
  return 1;
}

// The user unit of an item type; false for an unknown item type.
bool UserUnit(int item, int& unit) {
  const CKVitemType* itemType = QtyRegistry().FindItemType(static_cast<long>(item));
  if (!itemType) return false;
  unit = itemType->GetItemUserUnit();
  return true;
}

}  // namespace

extern "C" {

int qtyConvertUnit(int from, int to, double* result, double value) {
  const CKVunit* a = nullptr;
  const CKVunit* b = nullptr;
  if (!Resolve(from, to, a, b)) {
    Put(result, value);
    return 0;
  }
  Put(result, CLinearConversion(*a, *b).Convert(value));
  return 1;
}

int qtyConvertUnitToBase(int unit, double* result, double value) {
  const CKVunit* found = qty::ConvertibleUnit(QtyRegistry(), unit);
  if (!found) {
    Put(result, value);
    return 0;
  }
  Put(result, found->ToBase(value));
  return 1;
}

int qtyConvertUnitFromBase(int unit, double* result, double value) {
  const CKVunit* found = qty::ConvertibleUnit(QtyRegistry(), unit);
  if (!found) {
    Put(result, value);
    return 0;
  }
  Put(result, found->FromBase(value));
  return 1;
}

int qtyConvertItemArrayD(int from, int to, double* data, int count, double deleteValue) {
  return ConvertArray(from, to, data, count, deleteValue);
}

int qtyConvertItemArrayF(int from, int to, float* data, int count, float deleteValue) {
  return ConvertArray(from, to, data, count, deleteValue);
}

int qtyConvertToUserUnit(int item, int unit, double* result, double value) {
  int user = 0;
  if (!UserUnit(item, user)) {
    Put(result, value);
    return 0;
  }
  return qtyConvertUnit(unit, user, result, value);
}

int qtyConvertFromUserUnit(int item, int unit, double* result, double value) {
  int user = 0;
  if (!UserUnit(item, user)) {
    Put(result, value);
    return 0;
  }
  return qtyConvertUnit(user, unit, result, value);
}

int qtyConvertItemArrayToUserUnitD(int item, int unit, double* data, int count,
                                   double deleteValue) {
  int user = 0;
  return UserUnit(item, user) ? ConvertArray(unit, user, data, count, deleteValue) : 0;
}

int qtyConvertItemArrayToUserUnitF(int item, int unit, float* data, int count,
                                   float deleteValue) {
  int user = 0;
  return UserUnit(item, user) ? ConvertArray(unit, user, data, count, deleteValue) : 0;
}

int qtyConvertItemArrayFromUserUnitD(int item, int unit, double* data, int count,
                                     double deleteValue) {
  int user = 0;
  return UserUnit(item, user) ? ConvertArray(user, unit, data, count, deleteValue) : 0;
}

int qtyConvertItemArrayFromUserUnitF(int item, int unit, float* data, int count,
                                     float deleteValue) {
  int user = 0;
  return UserUnit(item, user) ? ConvertArray(user, unit, data, count, deleteValue) : 0;
}

}  // extern "C"
