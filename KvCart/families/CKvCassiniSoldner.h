/* CKvCassiniSoldner: the Cassini-Soldner projection (EPSG Guidance Note
 * 7-2, method 9806), computed by CKvCassiniSoldnerEllipsoid, or by
 * CKvCassiniSoldnerSphere when the flattening is 0 (see CKvFormulaPair).
 *
 * Parameters: central meridian and latitude of origin (degrees), false
 * easting and northing (metres), the ellipsoid.
 *
 * Valid range: the ellipsoid's series serve within a few hundred km of the
 * central meridian, as the method is used (Trinidad, Johor, Palestine
 * grids); the sphere formulas hold everywhere. Longitudes are reduced to
 * within 180 degrees of the central meridian. Accuracy: see the two formula
 * objects. Convergence: the numeric form; default area: +-5 degrees around
 * the origin.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvCassiniSoldner johor("GDM2000 / Johor Grid", 103.4279362, 2.1216797, -14810.562,
 *                           8758.32, grs80);
 *   double x, y; johor.Geo2Proj(103.4279362, 2.1216797, &x, &y);  // (-14810.562, 8758.32) */
#ifndef KVCART_FAMILIES_CKVCASSINISOLDNER_H
#define KVCART_FAMILIES_CKVCASSINISOLDNER_H

#include <string>

#include "KvCart/families/CKvCassiniSoldnerEllipsoid.h"
#include "KvCart/families/CKvCassiniSoldnerSphere.h"
#include "KvCart/families/CKvFormulaPair.h"

class CKvCassiniSoldnerProjection;

class KVCART_API CKvCassiniSoldner
    : public CKvFormulaPair<CKvCassiniSoldnerEllipsoid, CKvCassiniSoldnerSphere> {
 public:
  // From a definition record; the ellipsoid by its code in the database.
  explicit CKvCassiniSoldner(const CKvCassiniSoldnerProjection* record);
  CKvCassiniSoldner(const std::string& name, double centralMeridian, double originLatitude,
                    double falseEasting, double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvCassiniSoldner(const CKvCassiniSoldner&) = default;
  ~CKvCassiniSoldner() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

 private:
  void Setup(double centralMeridian, double originLatitude, double falseEasting,
             double falseNorthing);
};

#endif
