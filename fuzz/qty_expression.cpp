// The unit-expression evaluator and the look-up of a unit from what a person
// writes, against the shipped unit table.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "qty/CKVunit.h"
#include "qty/UnitExpression.h"
#include "qty/qty.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!qtySetupLoad(KORACORE_SOURCE_DIR "/data/QTY.xml")) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Both take C texts: an embedded zero ends the text as it would for a caller.
  const std::string text(reinterpret_cast<const char*>(data), size);
  CKVunit* unit = nullptr;
  double* number = nullptr;
  bEvaluateExpression(text.c_str(), &unit, &number);
  delete unit;
  delete number;
  int tag = 0;
  qtyGetUnitTagFromSymbol(text.c_str(), &tag);
  if (tag != 0) {
    const char* key = nullptr;
    qtyGetUnitKey(tag, &key);
  }
  return 0;
}
