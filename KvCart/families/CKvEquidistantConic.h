/* CKvEquidistantConic: the equidistant conic projection (Snyder chapter 16;
 * ESRI "Equidistant_Conic"): meridians true to scale, and the two standard
 * parallels. Computed by CKvEquidistantConicEllipsoid, or by
 * CKvEquidistantConicSphere when the flattening is 0 (see CKvFormulaPair).
 *
 * Parameters: first and second standard parallel, central meridian and
 * latitude of origin (degrees), false easting and northing (metres), the
 * ellipsoid.
 *
 * Valid range: latitudes -90..90, longitudes any (reduced to within 180
 * degrees of the central meridian). Accuracy: the series of the meridian
 * arc is within 1 mm of the exact arc (0.96 mm at worst, near 71 degrees),
 * so a system a continent wide is within 1 mm of an exact computation, one
 * across a hemisphere within about 2 mm; inverse(forward) returns the input
 * to 1e-8 degrees.
 * Parallels at equal distances north and south of the equator (n = 0) give
 * NaN. Convergence: the numeric form; default area: +-5 degrees around the
 * origin.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvEquidistantConic usa("USA_Contiguous_Equidistant_Conic", 33, 45, -96, 39, 0, 0, grs80);
 *   double x, y; usa.Geo2Proj(-96.0, 39.0, &x, &y);  // (0, 0) */
#ifndef KVCART_FAMILIES_CKVEQUIDISTANTCONIC_H
#define KVCART_FAMILIES_CKVEQUIDISTANTCONIC_H

#include <string>

#include "KvCart/families/CKvEquidistantConicEllipsoid.h"
#include "KvCart/families/CKvEquidistantConicSphere.h"
#include "KvCart/families/CKvFormulaPair.h"

class CKvEquidistantConicProjection;

class KVCART_API CKvEquidistantConic
    : public CKvFormulaPair<CKvEquidistantConicEllipsoid, CKvEquidistantConicSphere> {
 public:
  // From a definition record; the ellipsoid by its code in the database.
  explicit CKvEquidistantConic(const CKvEquidistantConicProjection* record);
  CKvEquidistantConic(const std::string& name, double parallel1, double parallel2,
                      double centralMeridian, double originLatitude, double falseEasting,
                      double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvEquidistantConic(const CKvEquidistantConic&) = default;
  ~CKvEquidistantConic() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

 private:
  void Setup(double parallel1, double parallel2, double centralMeridian, double originLatitude,
             double falseEasting, double falseNorthing);
};

#endif
