/* The flat header of libKvCart-koracore compiles as C, and a C caller
 * reaches every flat function through the shared object. */
#include <stdio.h>
#include <string.h>

#include "KvCart/facade/KvCartFlat.h"

int c_kvcart_flat_interface(void);

static int cartography_calls(void) {
  void* carto = NULL;
  int status = -1;
  int needed = 0;
  char text[64];
  double lon = 0, lat = 0, x = 0, y = 0, px = 0, py = 0;
  if (C_KVC_CREATE("UTM-32", 9.0, 55.0, 10.0, &carto, &status) != 0 || status != 0) return 0;
  C_KVC_GETPROJECTIONNAME(carto, text, 63, &needed);
  if (strcmp(text, "UTM-32") != 0) return 0;
  if (C_KVC_GETPROJECTIONSTRING(carto, text, 63, &needed) <= 63) return 0;
  if (C_KVC_GETPROJECTION(carto) == NULL) return 0;
  if (C_KVC_GETTRUENORTH(carto, 0.0, 0.0) != C_KVC_GETTRUENORTH(carto, 0.0, 0.0)) return 0;
  (void)C_KVC_GETPROJNORTH(carto);
  C_KVC_GEO2PROJ(carto, 9.5, 55.5, &px, &py);
  C_KVC_PROJ2GEO(carto, px, py, &lon, &lat);
  C_KVC_GEO2XY(carto, 9.5, 55.5, &x, &y);
  C_KVC_XY2GEO(carto, x, y, &lon, &lat);
  C_KVC_XY2PROJ(carto, x, y, &px, &py);
  C_KVC_PROJ2XY(carto, px, py, &x, &y);
  if (C_KVC_DESTROY(&carto, &status) != 0 || carto != NULL) return 0;
  return C_KVC_DESTROY(&carto, &status) == -1 && lat > 55.4 && lat < 55.6;
}

static int projection_calls(void) {
  void* mp = NULL;
  int status = -1;
  int needed = 0;
  char text[64];
  double lon = 0, lat = 0, x = 0, y = 0, z = 0, h = 0, area[4];
  CKvProjection* raw = NewKvProjection("UTM-33");
  if (raw == NULL || DeleteKvProjection(&raw) != 0) return 0;
  if (C_KVMP_CREATE("UTM", &mp, &status) != -1 || mp != NULL) return 0;
  if (C_KVMP_CREATE("UTM-32", &mp, &status) != 0) return 0;
  C_KVMP_GETNAME(mp, text, 63, &needed);
  C_KVMP_GETPROJECTIONSTRING(mp, NULL, 0, &needed);
  C_KVMP_GEO2PROJ(mp, 9.0, 0.0, &x, &y);
  C_KVMP_PROJ2GEO(mp, x, y, &lon, &lat);
  C_KVMP_GETORIGIN(mp, &lon, &lat);
  (void)C_KVMP_GETCONVERGENCE(mp, 10.0, 50.0);
  C_KVMP_GETDEFAULTAREA(mp, &area[0], &area[1], &area[2], &area[3]);
  C_KVMP_GEO2XYZ(mp, 9.0, 50.0, 0.0, &x, &y, &z);
  C_KVMP_XYZ2GEO(mp, x, y, z, &lon, &lat, &h);
  C_KVMP_DESTROY(&mp, &status);
  return needed > 0 && strcmp(text, "UTM-32") == 0 && lat > 49.99 && lat < 50.01;
}

static int datum_calls(void) {
  void* dc = NULL;
  int status = -1;
  double x = 500000.0, y = 5500000.0, h = 0.0, shift[7] = {1, 2, 3, 0, 0, 0, 0};
  if (C_KVDC_CREATE("UTM-32", "UTM-33", &dc, &status) != 0) return 0;
  C_KVDC_SETCONVERSIONTYPE(dc, 0);
  C_KVDC_CONVERTXY(dc, &x, &y);
  C_KVDC_INVCONVERTXY(dc, &x, &y);
  C_KVDC_CONVERTXYH(dc, &x, &y, &h);
  C_KVDC_INVCONVERTXYH(dc, &x, &y, &h);
  C_KVDC_DATUMSHIFT(dc, &x, &y, &h);
  C_KVDC_INVDATUMSHIFT(dc, &x, &y, &h);
  if (C_KVDC_GETBYPASSXYZ(dc) != 1) return 0;
  C_KVDC_SETDATUMSHIFT(dc, 1, shift, 1);
  C_KVDC_BYPASSXYZ(dc);
  C_KVDC_RESETBYPASSXYZ(dc);
  C_KVDC_INVERTORDER(dc);
  return C_KVDC_DESTROY(&dc, &status) == 0 && dc == NULL;
}

static int string_calls(void) {
  char text[600];
  int needed = 0;
  double lon = 0, lat = 0;
  int status = -1;
  if (S_HASDATUM("UTM-32") != 1 || S_ISVALID("UTM-32") != 1) return 0;
  if (S_ISLOCAL("NON-UTM") != 1 || S_ISLONGLAT("LONG/LAT") != 1) return 0;
  if (S_ISGEOREFERENCED("NON-UTM") != 0 || S_ISGEOGRAPHICAL("LONG/LAT") != 1) return 0;
  if (S_ISTYPE("UTM-32", 1) != 1 || S_AREIDENTICAL("UTM-32", "UTM-32") != 1) return 0;
  if (S_GETCOORDSYSTYPE("UTM-32") != 1) return 0;
  if (S_LONGITUDETOUTMZONE(9.0, text, 6, &needed) != 0 || strcmp(text, "UTM-32") != 0) return 0;
  if (S_PROJECTIONSHORTNAME("UTM-32", text, 599, &needed) != 0) return 0;
  if (S_PROJECTIONORIGIN("UTM-32", &lon, &lat, &status) != 0 || lon != 9.0) return 0;
  if (S_GETGOOGLEMAPPROJECTIONSTRING(text, 599, &needed) != 0) return 0;
  if (C_KVC_CONVERT2PROJ4("UTM-32", NULL, 0, text, 599, &needed) != 0) return 0;
  return strstr(text, "+proj=tmerc") != NULL;
}

static int array_calls(void) {
  void* mp = NULL;
  void* carto = NULL;
  void* dc = NULL;
  int status = -1, ok = 1;
  double lon[2] = {9.0, 9.5}, lat[2] = {55.0, 100.0}, x[2], y[2], h[2] = {0.0, 10.0};
  if (C_KVMP_CREATE("UTM-32", &mp, &status) != 0) return 0;
  ok = ok && C_KVMP_GEO2PROJ_ARRAY(mp, 2, lon, lat, x, y, &status) == 0;
  ok = ok && x[1] != x[1]; /* latitude 100 gives NaN, the call succeeds */
  ok = ok && C_KVMP_PROJ2GEO_ARRAY(mp, 1, x, y, x, y, &status) == 0 && y[0] > 54.99;
  ok = ok && C_KVMP_GEO2PROJ_ARRAY(mp, -1, lon, lat, x, y, &status) == -1 && status == -1;
  C_KVMP_DESTROY(&mp, &status);
  if (C_KVC_CREATE("UTM-32", 9.0, 55.0, 10.0, &carto, &status) != 0) return 0;
  ok = ok && C_KVC_GEO2PROJ_ARRAY(carto, 2, lon, lat, x, y, &status) == 0;
  ok = ok && C_KVC_PROJ2GEO_ARRAY(carto, 2, x, y, x, y, &status) == 0;
  ok = ok && C_KVC_GEO2XY_ARRAY(carto, 2, lon, lat, x, y, &status) == 0;
  ok = ok && C_KVC_XY2PROJ_ARRAY(carto, 2, x, y, x, y, &status) == 0;
  ok = ok && C_KVC_PROJ2XY_ARRAY(carto, 2, x, y, x, y, &status) == 0;
  ok = ok && C_KVC_XY2GEO_ARRAY(carto, 2, x, y, x, y, &status) == 0 && y[0] > 54.99;
  C_KVC_DESTROY(&carto, &status);
  if (C_KVDC_CREATE("UTM-32", "UTM-33", &dc, &status) != 0) return 0;
  ok = ok && C_KVDC_CONVERTXY_ARRAY(dc, 0, NULL, NULL, NULL, NULL, &status) == 0;
  ok = ok && C_KVDC_CONVERTXY_ARRAY(dc, 2, lon, lat, x, y, &status) == 0;
  ok = ok && C_KVDC_INVCONVERTXY_ARRAY(dc, 2, x, y, x, y, &status) == 0;
  ok = ok && C_KVDC_CONVERTXYH_ARRAY(dc, 2, lon, lat, h, x, y, h, &status) == 0;
  ok = ok && C_KVDC_INVCONVERTXYH_ARRAY(dc, 2, x, y, h, x, y, h, NULL) == 0;
  C_KVDC_DESTROY(&dc, &status);
  return ok;
}

int c_kvcart_flat_interface(void) {
  char custom[1024];
  snprintf(custom, sizeof custom, "%s/", KORACORE_TEST_WORK_DIR);
  if (CARTSETUPLINUX(KORACORE_SOURCE_DIR "/data/", custom) != 0) return 0;
  return cartography_calls() && projection_calls() && datum_calls() && string_calls() &&
         array_calls();
}
