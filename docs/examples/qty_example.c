/* qty from C: load the shipped unit table, convert a value between two units
 * and list the units an item type allows. */
#include <stdio.h>

#include "qty/qty.h"

int main(void) {
  int foot = 0, meter = 0, item = 0, unit = 0, seq, count;
  double value = 0.0;
  const char* name = NULL;

  if (qtySetupLoad(NULL) != 1) {
    fprintf(stderr, "qty_example: the unit table could not be loaded\n");
    return 1;
  }
  if (!qtyGetUnitTag("foot", &foot) || !qtyGetUnitTag("meter", &meter) ||
      !qtyConvertUnit(foot, meter, &value, 10.0)) {
    fprintf(stderr, "qty_example: foot or meter missing from the table\n");
    return 1;
  }
  printf("10 ft = %.4f m\n", value);

  if (!qtyGetItemTypeKeyFromIdent("qtyIWaterLevel", &item)) return 1;
  count = qtyGetItemUnitCount(item);
  qtyGetItemTypeKey(item, &name);
  printf("%s allows %d units:", name, count);
  for (seq = 1; seq <= count; ++seq) {
    if (qtyGetItemUnitSeq(item, seq, &unit, NULL) && qtyGetUnitAbbreviation(unit, &name))
      printf(" %s", name);
  }
  printf("\n");
  return 0;
}
