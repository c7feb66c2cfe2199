// Flat interface: units by abbreviation and by symbol expression.
#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/FlatSupport.h"
#include "qty/UnitSymbols.h"
#include "qty/qty.h"

using qty::Put;

namespace {

int Answer(const CKVunit* found, int* unit) {
  const long id = found ? found->GetId() : 0;
  Put(unit, id);
  return id != 0 ? 1 : 0;
}

}  // namespace

extern "C" {

int qtyGetUnitTagFromAbbreviation(const char* abbreviation, int* unit) {
  Put(unit, 0);
  if (!abbreviation) return 0;
  try {
    return Answer(qty::FindUnitByAbbreviation(QtyRegistry(), abbreviation), unit);
  } catch (...) {
    return 0;
  }
}

int qtyGetUnitTagFromSymbol(const char* symbol, int* unit) {
  Put(unit, 0);
  if (!symbol) return 0;
  try {
    return Answer(qty::FindUnitBySymbol(QtyRegistry(), symbol), unit);
  } catch (...) {
    return 0;
  }
}

}  // extern "C"
