/* CKvAlbersEqualArea: the Albers equal-area conic projection (EPSG Guidance
 * Note 7-2, method 9822), computed by CKvAlbersEqualAreaEllipsoid, or by
 * CKvAlbersEqualAreaSphere when the flattening is 0 (see CKvFormulaPair).
 *
 * Parameters: first and second standard parallel, central meridian and
 * latitude of origin (degrees; the latitude and longitude of the false
 * origin), false easting and northing (metres), the ellipsoid.
 *
 * Valid range: latitudes -90..90, longitudes any (reduced to within 180
 * degrees of the central meridian). Accuracy: forward exact; inverse(forward)
 * returns the input to 1e-8 degrees (the ellipsoid's inverse is a series).
 * Parallels symmetric about the equator (n = 0) give NaN. Convergence: the
 * numeric form; default area: +-5 degrees around the origin.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvAlbersEqualArea conus("NAD83 / Conus Albers", 29.5, 45.5, -96, 23, 0, 0, grs80);
 *   double x, y; conus.Geo2Proj(-96.0, 23.0, &x, &y);  // (0, 0) */
#ifndef KVCART_FAMILIES_CKVALBERSEQUALAREA_H
#define KVCART_FAMILIES_CKVALBERSEQUALAREA_H

#include <string>

#include "KvCart/families/CKvAlbersEqualAreaEllipsoid.h"
#include "KvCart/families/CKvAlbersEqualAreaSphere.h"
#include "KvCart/families/CKvFormulaPair.h"

class CKvAlbersEqualAreaProjection;

class KVCART_API CKvAlbersEqualArea
    : public CKvFormulaPair<CKvAlbersEqualAreaEllipsoid, CKvAlbersEqualAreaSphere> {
 public:
  // From a definition record; the ellipsoid by its code in the database.
  explicit CKvAlbersEqualArea(const CKvAlbersEqualAreaProjection* record);
  CKvAlbersEqualArea(const std::string& name, double parallel1, double parallel2,
                     double centralMeridian, double originLatitude, double falseEasting,
                     double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvAlbersEqualArea(const CKvAlbersEqualArea&) = default;
  ~CKvAlbersEqualArea() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

 private:
  void Setup(double parallel1, double parallel2, double centralMeridian, double originLatitude,
             double falseEasting, double falseNorthing);
};

#endif
