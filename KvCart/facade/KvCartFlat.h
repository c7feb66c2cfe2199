/* KvCartFlat.h: the flat interface of libKvCart-koracore, for C, Fortran,
 * Python and every other caller that cannot use the classes.
 *
 * Three kinds of opaque handle, each the address of a heap object:
 *   - a cartography (C_KVC_*): a projection plus a local model grid with
 *     origin and orientation;
 *   - a map projection (C_KVMP_*): one projection string resolved to its
 *     projection;
 *   - a datum converter (C_KVDC_*): two coordinate systems, possibly on
 *     different geodetic datums.
 * A handle belongs to the caller from a successful create until the matching
 * destroy, which also sets the caller's handle to null. Functions without a
 * handle (S_*) answer questions about projection strings.
 *
 * Units: angles in decimal degrees, longitude before latitude; projected
 * and grid coordinates in metres (also for a well-known text in feet),
 * easting before northing unless the text's AXIS elements say otherwise;
 * heights and earth-centred coordinates in metres.
 *
 * Status values: 0 success, -1 failure. No function lets a C++ exception
 * out: an exception (bad_alloc included, or "UTM" without a zone) becomes
 * -1, a NaN for a function that returns a number, and a null result for one
 * that returns a pointer. A null handle is a failure, not a crash. Yes/no
 * answers are 1 or 0.
 *
 * Text results follow one buffer convention: (char* buffer, int size,
 * int* needed). size counts the characters that fit before the terminating
 * zero, so the buffer holds size + 1 bytes. When the text is at most size
 * characters long it is copied with its zero, 0 is stored in *needed and 0
 * is returned; otherwise nothing is written to the buffer and the text's
 * length is stored and returned, so the caller can retry with a buffer that
 * large. A null buffer is never written to.
 *
 * Threads: set-up (CARTSETUPLINUX) and the database are single-threaded.
 * Once created, one handle may convert from several threads at once.
 *
 * Usage (C):
 *   void* carto = NULL; int status = 0; double lon, lat;
 *   CARTSETUPLINUX("", "/home/me/.koracore/");   (the shipped definitions)
 *   C_KVC_CREATE("UTM-32", 9.0, 55.0, 0.0, &carto, &status);
 *   C_KVC_XY2GEO(carto, 1000.0, 2000.0, &lon, &lat);
 *   C_KVC_DESTROY(&carto, &status);
 */
#ifndef KVCART_FACADE_KVCARTFLAT_H
#define KVCART_FACADE_KVCARTFLAT_H

#include "KvCart/KvCart_api.h"

#ifdef __cplusplus
class CKvProjection;
#else
typedef struct CKvProjection CKvProjection;
#endif

KVCART_EXTERN_C_BEGIN

/* --- Set-up ------------------------------------------------------------------
 * Fills the process-wide database of projection definitions and ellipsoids
 * from standardDir ("ellipsoid.rcf", "map_projection.rcf",
 * "state_plane_nad83.rcf", "state_plane_nad27.rcf") and customDir
 * ("custom_ellipsoid.rcf", "custom_projection.rcf"); the custom files are
 * written back at process exit when definitions were changed. Directory
 * texts are joined to file names as they are: end them with "/". An empty
 * standardDir names the shipped data folder, found as the unit table is
 * (base/kora_data.h: KORACORE_DATA, KORA_HOME, then the installation the
 * library belongs to); when it holds no "ellipsoid.rcf" the places looked
 * are reported through the diagnostics sink. Missing files are skipped. Call once, before any function that names a database
 * projection; calling again adds every entry a second time. Returns 0, or
 * -1 for a null directory. */
KVCART_API int CARTSETUPLINUX(const char* standardDir, const char* customDir);

/* The projection object a projection string resolves to, or null (unknown
 * name, "NON-UTM" resolves to the local pass-through object). The caller
 * owns it and releases it with DeleteKvProjection. */
KVCART_API CKvProjection* NewKvProjection(const char* text);
/* Releases an object from NewKvProjection and sets *projection to null;
 * 0, or -1 when there was none. */
KVCART_API int DeleteKvProjection(CKvProjection** projection);

/* --- Cartography: projection plus local grid ---------------------------------
 * Creates a cartography for a projection string with the grid origin
 * (lon0, lat0, degrees) and the grid orientation (degrees, clockwise from
 * true north to the grid's y axis at the origin). The bare "UTM" takes its zone from
 * lon0. Fails (status -1, *handle not written) when the string resolves to
 * no projection, as C_KVMP_CREATE. */
KVCART_API int C_KVC_CREATE(const char* projection, double lon0, double lat0, double orientation,
                            void** handle, int* status);
KVCART_API int C_KVC_DESTROY(void** handle, int* status);
/* The cartography's map projection, usable as a C_KVMP handle but owned by
 * the cartography: never destroy it. Null for a null handle. */
KVCART_API void* C_KVC_GETPROJECTION(void* handle);
KVCART_API int C_KVC_GETPROJECTIONNAME(void* handle, char* buffer, int size, int* needed);
KVCART_API int C_KVC_GETPROJECTIONSTRING(void* handle, char* buffer, int size, int* needed);
/* The true-north angle at a grid point (the orientation at the origin) and
 * the projection-north angle of the grid, in degrees; NaN for a null handle. */
KVCART_API double C_KVC_GETTRUENORTH(void* handle, double x, double y);
KVCART_API double C_KVC_GETPROJNORTH(void* handle);
/* Conversions between geographical (lon, lat), projected (X, Y) and grid
 * (x, y) coordinates; 0, or -1 for a null handle (outputs untouched). */
KVCART_API int C_KVC_GEO2PROJ(void* handle, double lon, double lat, double* x, double* y);
KVCART_API int C_KVC_PROJ2GEO(void* handle, double x, double y, double* lon, double* lat);
KVCART_API int C_KVC_GEO2XY(void* handle, double lon, double lat, double* x, double* y);
KVCART_API int C_KVC_XY2GEO(void* handle, double x, double y, double* lon, double* lat);
KVCART_API int C_KVC_XY2PROJ(void* handle, double x, double y, double* projX, double* projY);
KVCART_API int C_KVC_PROJ2XY(void* handle, double projX, double projY, double* x, double* y);
/* The projection string as PROJ.4 terms. shift: null, or count values of
 * a datum shift to WGS 84 (dx, dy, dz m; rx, ry, rz arc-seconds; scale ppm)
 * for the translator to write. Buffer convention; -1 on failure. */
KVCART_API int C_KVC_CONVERT2PROJ4(const char* projection, const double* shift, int count,
                                   char* buffer, int size, int* needed);

/* --- Map projection -------------------------------------------------------------
 * Creates a map projection for a projection string. Fails (status -1,
 * *handle not written) for the bare "UTM" and for a string that resolves
 * to no projection: an unknown name, or a definition whose ellipsoid is
 * missing. */
KVCART_API int C_KVMP_CREATE(const char* projection, void** handle, int* status);
KVCART_API int C_KVMP_DESTROY(void** handle, int* status);
KVCART_API int C_KVMP_GETNAME(void* handle, char* buffer, int size, int* needed);
KVCART_API int C_KVMP_GETPROJECTIONSTRING(void* handle, char* buffer, int size, int* needed);
KVCART_API int C_KVMP_GEO2PROJ(void* handle, double lon, double lat, double* x, double* y);
KVCART_API int C_KVMP_PROJ2GEO(void* handle, double x, double y, double* lon, double* lat);
KVCART_API int C_KVMP_GETORIGIN(void* handle, double* lon, double* lat);
/* Grid convergence at the point in degrees; NaN for a null handle. */
KVCART_API double C_KVMP_GETCONVERGENCE(void* handle, double lon, double lat);
KVCART_API int C_KVMP_GETDEFAULTAREA(void* handle, double* x0, double* y0, double* x1, double* y1);
/* Geodetic (lon, lat degrees, height m) to earth-centred X, Y, Z (m) on the
 * projection's ellipsoid, and back. */
KVCART_API int C_KVMP_GEO2XYZ(void* handle, double lon, double lat, double height, double* x,
                              double* y, double* z);
KVCART_API int C_KVMP_XYZ2GEO(void* handle, double x, double y, double z, double* lon, double* lat,
                              double* height);

/* --- Datum converter ----------------------------------------------------------------
 * Creates a converter from the source to the target projection string;
 * fails when either resolves to no projection. With the local "NON-UTM" on
 * either side the converter leaves every coordinate unchanged. */
KVCART_API int C_KVDC_CREATE(const char* source, const char* target, void** handle, int* status);
KVCART_API int C_KVDC_DESTROY(void** handle, int* status);
/* Conversions in place, source to target (CONVERT) or back (INVCONVERT);
 * the kind of input and output is set by C_KVDC_SETCONVERSIONTYPE:
 * 0 projected to projected, 1 projected to geographical, 2 geographical to
 * projected, 3 geographical to geographical. */
KVCART_API int C_KVDC_CONVERTXY(void* handle, double* x, double* y);
KVCART_API int C_KVDC_INVCONVERTXY(void* handle, double* x, double* y);
KVCART_API int C_KVDC_CONVERTXYH(void* handle, double* x, double* y, double* h);
KVCART_API int C_KVDC_INVCONVERTXYH(void* handle, double* x, double* y, double* h);
/* The earth-centred datum step alone, in place (metres). */
KVCART_API int C_KVDC_DATUMSHIFT(void* handle, double* x, double* y, double* z);
KVCART_API int C_KVDC_INVDATUMSHIFT(void* handle, double* x, double* y, double* z);
KVCART_API int C_KVDC_SETCONVERSIONTYPE(void* handle, int type);
/* 1 when the earth-centred datum step is skipped, 0 when not, -1 for a null handle. */
KVCART_API int C_KVDC_GETBYPASSXYZ(void* handle);
KVCART_API int C_KVDC_BYPASSXYZ(void* handle);
/* Restores the bypass worked out at creation; returns it (1 or 0), or -1. */
KVCART_API int C_KVDC_RESETBYPASSXYZ(void* handle);
/* Replaces the datum shift of the source (source != 0) or target side:
 * type 0 none, 1 three values (dx, dy, dz m), 2 seven values (dx, dy, dz m;
 * rx, ry, rz radians; scale as a fraction). The values are stored as given.
 * 0, or -1 (nothing changed) for a null handle, a type outside 0..2, or no
 * values for type 1 or 2. */
KVCART_API int C_KVDC_SETDATUMSHIFT(void* handle, int type, const double* values, int source);
/* Swaps source and target. */
KVCART_API int C_KVDC_INVERTORDER(void* handle);

/* --- Tests on projection strings ---------------------------------------------------
 * 1 or 0; -1 when the question cannot be answered (for example a test that
 * needs a projection given the bare "UTM"). Blanks around a string are
 * ignored. */
KVCART_API int S_HASDATUM(const char* projection);
KVCART_API int S_ISVALID(const char* projection);
KVCART_API int S_ISLOCAL(const char* projection);
KVCART_API int S_ISLONGLAT(const char* projection);
KVCART_API int S_ISGEOREFERENCED(const char* projection);
KVCART_API int S_ISGEOGRAPHICAL(const char* projection);
/* mask: 1 projected, 2 geographical, 4 the word "LONG/LAT", 8 the word "NON-UTM". */
KVCART_API int S_ISTYPE(const char* projection, int mask);
KVCART_API int S_AREIDENTICAL(const char* projection1, const char* projection2);
/* 4 x (type of the first axis) + type of the second (0 east, 1 north,
 * 2 west, 3 south); -1 on failure. */
KVCART_API int S_GETCOORDSYSTYPE(const char* projection);
/* The UTM definition name of a longitude ("UTM-32"), buffer convention. */
KVCART_API int S_LONGITUDETOUTMZONE(double lon, char* buffer, int size, int* needed);
/* The display name of a projection string, buffer convention. */
KVCART_API int S_PROJECTIONSHORTNAME(const char* projection, char* buffer, int size, int* needed);
/* The origin of the projection in degrees; status 0 or -1. */
KVCART_API int S_PROJECTIONORIGIN(const char* projection, double* lon, double* lat, int* status);
/* The spherical web Mercator definition as well-known text, buffer convention. */
KVCART_API int S_GETGOOGLEMAPPROJECTIONSTRING(char* buffer, int size, int* needed);

/* --- Whole arrays ---------------------------------------------------------------
 * Each call converts n points: point i is (in1[i], in2[i]) (and in3[i]) and
 * its result goes to (out1[i], out2[i]) (and out3[i]), exactly the numbers
 * the single-point function of the same name gives, bit for bit. An output
 * array may be its own input array (out1 == in1, out2 == in2: conversion in
 * place); otherwise the arrays must not overlap. Arrays are read and written
 * at the positions 0 to n - 1 only.
 *
 * A point that cannot be converted (latitude beyond +-90, a NaN input, a
 * point outside the projection's domain) gets NaN in all its outputs; the
 * call still succeeds. The status (stored in *status unless status is null,
 * and returned) is -1 only when the call as a whole cannot run: null handle,
 * null array, two outputs in one array, n < 0, or no memory (outputs then
 * partly written). n == 0 succeeds and touches nothing, so empty arrays may
 * be null.
 *
 * Threads: as the single-point calls: one handle may convert from several
 * threads at once. */
KVCART_API int C_KVMP_GEO2PROJ_ARRAY(void* handle, int n, const double* lon, const double* lat,
                                     double* x, double* y, int* status);
KVCART_API int C_KVMP_PROJ2GEO_ARRAY(void* handle, int n, const double* x, const double* y,
                                     double* lon, double* lat, int* status);
KVCART_API int C_KVC_GEO2PROJ_ARRAY(void* handle, int n, const double* lon, const double* lat,
                                    double* x, double* y, int* status);
KVCART_API int C_KVC_PROJ2GEO_ARRAY(void* handle, int n, const double* x, const double* y,
                                    double* lon, double* lat, int* status);
KVCART_API int C_KVC_GEO2XY_ARRAY(void* handle, int n, const double* lon, const double* lat,
                                  double* x, double* y, int* status);
KVCART_API int C_KVC_XY2GEO_ARRAY(void* handle, int n, const double* x, const double* y,
                                  double* lon, double* lat, int* status);
KVCART_API int C_KVC_XY2PROJ_ARRAY(void* handle, int n, const double* x, const double* y,
                                   double* projX, double* projY, int* status);
KVCART_API int C_KVC_PROJ2XY_ARRAY(void* handle, int n, const double* projX, const double* projY,
                                   double* x, double* y, int* status);
/* The datum converter's conversions (C_KVDC_CONVERTXY and the rest) of n
 * points, with the conversion type set on the handle; h in metres. */
KVCART_API int C_KVDC_CONVERTXY_ARRAY(void* handle, int n, const double* x, const double* y,
                                      double* outX, double* outY, int* status);
KVCART_API int C_KVDC_INVCONVERTXY_ARRAY(void* handle, int n, const double* x, const double* y,
                                         double* outX, double* outY, int* status);
KVCART_API int C_KVDC_CONVERTXYH_ARRAY(void* handle, int n, const double* x, const double* y,
                                       const double* h, double* outX, double* outY, double* outH,
                                       int* status);
KVCART_API int C_KVDC_INVCONVERTXYH_ARRAY(void* handle, int n, const double* x, const double* y,
                                          const double* h, double* outX, double* outY, double* outH,
                                          int* status);

KVCART_EXTERN_C_END

#endif
