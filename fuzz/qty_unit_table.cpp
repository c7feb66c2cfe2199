// The XML unit-table loader: each input is loaded, twice (a second load only
// refreshes), into a registry of its own, then looked up by id, ident,
// abbreviation and written symbol, and used to evaluate expressions. The
// registry goes with the input, as when a program starts over with another
// table: the process-wide registry only ever grows, so no fuzzed table may
// reach it, and each input must behave the same whatever came before.
#include <unistd.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/scratch_file.h"
#include "qty/CKVitemType.h"
#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/CTableLoader.h"
#include "qty/UnitExpression.h"
#include "qty/UnitSymbols.h"
#include "quiet_diagnostics.h"

namespace {

void Evaluate(const CKVregistry& registry, const std::string& text) {
  CKVunit* unit = nullptr;
  double* number = nullptr;
  bEvaluateExpression(registry, text.c_str(), &unit, &number);
  delete unit;
  delete number;
}

void LookUp(const CKVregistry& registry) {
  int seen = 0;
  for (const CKVunit* unit : registry.UnitList()) {
    if (++seen > 64) break;
    registry.FindUnit(unit->GetId());
    registry.FindUnit(unit->GetIdent());
    qty::FindUnitByAbbreviation(registry, unit->GetAbbreviation());
    qty::FindUnitBySymbol(registry, unit->GetAbbreviation() + "/s^2");
    Evaluate(registry, unit->GetIdent() + "*2/(" + unit->GetIdent() + "^2)");
  }
  seen = 0;
  for (const CKVitemType* itemType : registry.ItemTypeList()) {
    if (++seen > 64) break;
    registry.FindItemType(itemType->GetId());
    for (const CKVunit* allowed : registry.AllowedUnits(*itemType))
      registry.FindUnit(allowed->GetId());
    itemType->GetItemUserUnit();
  }
  registry.NextUnitId();
  registry.NextItemTypeId();
  registry.NextFilterId();
  qty::FindUnitBySymbol(registry, "m3/s");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The loader switches the numeric locale for its run; a caller's own
  // locale must come back unchanged, so the harness runs under another one.
  std::setlocale(LC_NUMERIC, "C.UTF-8");
  korafuzz::QuietDiagnostics();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::ScratchPath("qty", ".xml");
  if (!fuzz::WriteInput(path, data, size)) return 0;
  const std::string localeBefore = std::setlocale(LC_NUMERIC, nullptr);
  const size_t globalUnits = QtyRegistry().UnitList().size();
  {
    CKVregistry registry;
    qty::AddBaseUnits(registry);
    if (qty::LoadUnitTable(registry, path)) {
      qty::LoadUnitTable(registry, path);
      LookUp(registry);
    }
  }
  unlink(path.c_str());
  if (localeBefore != std::setlocale(LC_NUMERIC, nullptr)) __builtin_trap();
  // A table loaded into a registry of its own never reaches the process's.
  if (QtyRegistry().UnitList().size() != globalUnits) __builtin_trap();
  return 0;
}
