/* The public header of libqty-koracore compiles as C, and a C caller
 * reaches the flat interface through the shared object. */
#include <stdlib.h>

#include "qty/qty.h"

int c_qty_flat_interface(void);

int c_qty_flat_interface(void) {
  int unit = 0;
  int item = 0;
  const char* key = NULL;
  char* all = NULL;
  double value = 0.0;
  float data[3] = {1.0f, -1e-35f, 2.0f};
  char folder[QTY_MAX_PATH];

  if (!qtySetupLoad(NULL)) return 0;
  if (!qtyGetUnitTagFromIdent("qtyUkilometer", &unit)) return 0;
  if (!qtyConvertUnit(unit, 1000, &value, 1.5) || value != 1500.0) return 0;
  if (!qtyConvertItemArrayF(unit, 1000, data, 3, -1e-35f) || data[1] != -1e-35f) return 0;
  if (!qtyGetItemTypeKeyFromIdent("qtyIWaterLevel", &item)) return 0;
  if (!qtyItemUnitEqv(item, 1000) || !qtyGetItemTypeKey(item, &key)) return 0;
  if (qtyItemTypeGetAll(&all)) free(all);
  _fullpath(folder, NULL, QTY_MAX_PATH);
  return qtyGetFlybyFilter() != 0 && key != NULL;
}
