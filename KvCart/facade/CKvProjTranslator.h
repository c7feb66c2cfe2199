/* CKvProjTranslator: a coordinate system as a PROJ.4 definition string.
 *
 * Takes anything the map-projection facade accepts (well-known text, a
 * definition name such as "UTM-32") or the first line of a .prj file and
 * writes the "+proj=..." string that the PROJ library and the tools built on
 * it (cs2cs, GDAL, QGIS) read as the same coordinate system. Only text is
 * produced; PROJ itself is never called.
 *
 * The string:
 *   "+proj=<name> <projection terms> +a=<a> +b=<b> [+towgs84=<7 values>]
 *    [+pm=<degrees>] (+units=m | +to_meter=<metres per unit>) +no_defs  no_defs <>"
 * with every number written with 16 significant digits and "." as decimal
 * point whatever the process locale. Projection terms whose value the text
 * does not give (a scale factor of a two-parallel Mercator, say) are left
 * out rather than written as the unset value. A prime meridian other than
 * Greenwich is written as +pm, the central longitude then counted from it.
 * Axes other than east/north -- from the text's AXIS elements, a
 * south-orientated transverse Mercator or a Krovak's scales and rotation --
 * give +axis, with x_0/y_0 turned to match. The oblique stereographic is
 * written as sterea and the rotated pole as ob_tran, the PROJ projections
 * that compute what our classes compute.
 *
 * Units: like the text, the string describes coordinates in the system's
 * own linear unit (+to_meter for feet and the like); x_0 and y_0 are in
 * metres as PROJ requires. CKvMapProjection returns metres for every
 * system, so PROJ's output times the to_meter factor equals the facade's.
 *
 * Failures give the empty string: a text that resolves to no projection
 * (an unknown name, "UTM" without a zone, the local grid "NON-UTM"), a
 * kind that PROJ cannot express with the same parameters (the non-projected
 * kind, a Krovak whose scales and rotation are no axis permutation or whose
 * pseudo standard parallel is not 78.5), and datum-shift values that are
 * not finite.
 *
 * Stateless; every call may run from any thread once the projection
 * database is set up.
 *
 * Example:
 *   CKvProjTranslator t;
 *   t.Convert2Proj4("UTM-32", nullptr, 0);
 *   // "+proj=tmerc +lat_0=0 +lon_0=9 +k=0.9996 +x_0=500000 +y_0=0 +a=6378137
 *   //  +b=6356752.314245179 +units=m +no_defs  no_defs <>"
 */
#ifndef KVCART_FACADE_CKVPROJTRANSLATOR_H
#define KVCART_FACADE_CKVPROJTRANSLATOR_H

#include <string>

#include "KvCart/KvCart_api.h"

class KVCART_API CKvProjTranslator {
 public:
  CKvProjTranslator();
  virtual ~CKvProjTranslator();

  // The PROJ.4 string of a projection string, or "". With datumShift null
  // or count < 1 the datum shift of the text (TOWGS84) is written, if any;
  // otherwise the caller's values dx, dy, dz [m], rx, ry, rz [arc-seconds],
  // scale [ppm], those beyond count taken as 0 (values past the seventh
  // are ignored).
  std::string Convert2Proj4(const std::string& projection, const double* datumShift,
                            int count) const;
  // The same for the first line of a file (up to the first line feed); a
  // file that cannot be read, or whose first line is longer than 1 MiB (far
  // beyond any real coordinate-system text), counts as an empty line, which
  // gives "".
  std::string ConvertPRJFile2Proj4(const std::string& path, const double* datumShift,
                                   int count) const;
};

#endif
