/* KvCart from C: fill the projection database from the shipped definitions,
 * then take a point from longitude/latitude to a national grid and back. */
#include <stdio.h>

#include "KvCart/facade/KvCartFlat.h"

int main(void) {
  void* grid = NULL;
  int status = 0;
  double east = 0.0, north = 0.0, lon = 0.0, lat = 0.0;

  /* "" finds the shipped definitions wherever koracore is installed; user
   * definitions would be read from (and written back to) the second folder. */
  if (CARTSETUPLINUX("", "./") != 0) return 1;
  if (C_KVMP_CREATE("OSGB36 / British National Grid", &grid, &status) != 0) {
    fprintf(stderr, "kvcart_example: the British National Grid is not in the database\n");
    return 1;
  }
  C_KVMP_GEO2PROJ(grid, -1.5, 52.5, &east, &north);
  C_KVMP_PROJ2GEO(grid, east, north, &lon, &lat);
  printf("1.5 W 52.5 N: E %.1f m, N %.1f m\n", east, north);
  printf("back: %.6f %.6f\n", lon, lat);
  C_KVMP_DESTROY(&grid, &status);
  return 0;
}
