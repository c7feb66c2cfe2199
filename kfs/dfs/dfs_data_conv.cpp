// Unit conversion of item values (time steps, static items, statistics):
// float and double items only, by the item's data conversion mode.
#include "kfs/dfs/dfs_step.h"

namespace dfs {

Conversion dataConversion(const absItemS* item) {
  return Conversion{item->dataConvMode, item->dataConvUnit, item->itemType, item->unitKey};
}

bool convertsData(const absItemS* item) {
  const bool real = item->dataType == kfsTypeFloat || item->dataType == kfsTypeDouble;
  return real && item->dataConvMode >= 1 && item->dataConvMode <= 3;
}

bool convertData(const absItemS* item, Direction d, void* values, int n, float deleteFloat,
                 double deleteDouble) {
  if (!convertsData(item) || !values) return true;
  const Conversion c = dataConversion(item);
  if (item->dataType == kfsTypeFloat)
    return convertArray(c, d, static_cast<float*>(values), n, deleteFloat);
  return convertArray(c, d, static_cast<double*>(values), n, deleteDouble);
}

}  // namespace dfs
