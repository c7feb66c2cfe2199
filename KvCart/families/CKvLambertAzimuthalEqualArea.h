/* CKvLambertAzimuthalEqualArea: the Lambert azimuthal equal-area projection
 * (EPSG Guidance Note 7-2, method 9820: LAEA Europe, the EASE-Grid 2.0).
 *
 * A CKvFormulaPair: one formula object chosen once from the ellipsoid, a
 * CKvLambertAzimuthalEqualAreaSphere (kind 2) when the inverse flattening is
 * 0, otherwise a CKvLambertAzimuthalEqualAreaEllipsoid (kind 1); the
 * conversions, origin, default area and anonymous ellipsoid are that
 * object's (see those classes for the formulas, range and accuracy). The
 * aspect follows the latitude of origin: oblique, or polar at +-90.
 *
 * Parameters: central meridian and latitude of origin (degrees), false
 * easting and northing (metres), the ellipsoid. Convergence by the numeric
 * form of the family frame.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvLambertAzimuthalEqualArea laea("LAEA Europe", 10, 52, 4321000, 3210000, grs80);
 *   double x, y; laea.Geo2Proj(12.0, 50.0, &x, &y); */
#ifndef KVCART_FAMILIES_CKVLAMBERTAZIMUTHALEQUALAREA_H
#define KVCART_FAMILIES_CKVLAMBERTAZIMUTHALEQUALAREA_H

#include <string>

#include "KvCart/families/CKvFormulaPair.h"
#include "KvCart/families/CKvLambertAzimuthalEqualAreaEllipsoid.h"
#include "KvCart/families/CKvLambertAzimuthalEqualAreaSphere.h"

class CKvLambertAzimuthalEqualAreaProjection;

class KVCART_API CKvLambertAzimuthalEqualArea
    : public CKvFormulaPair<CKvLambertAzimuthalEqualAreaEllipsoid,
                            CKvLambertAzimuthalEqualAreaSphere> {
 public:
  explicit CKvLambertAzimuthalEqualArea(const CKvLambertAzimuthalEqualAreaProjection* record);
  CKvLambertAzimuthalEqualArea(const std::string& name, double centre, double originLat,
                               double falseEasting, double falseNorthing,
                               const CKvEllipsoid& ellipsoid);
  CKvLambertAzimuthalEqualArea(const CKvLambertAzimuthalEqualArea&) = default;
  ~CKvLambertAzimuthalEqualArea() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

 private:
  void Initialise(double centre, double originLat, double falseEasting, double falseNorthing);
};

#endif
