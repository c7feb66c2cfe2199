/* CKvLambert1SP: Lambert conformal conic with one standard parallel (EPSG
 * Guidance Note 7-2, method 9801): the cone touches the latitude of origin
 * phi0, where the scale is k0; n = sin phi0, F = m0 / (n t0^n).
 *
 * Parameters: k0, central meridian and latitude of origin (degrees), false
 * easting and northing (metres), the ellipsoid. Range, accuracy and thread
 * safety: see CKvLambertConformalConic. A latitude of origin of 0 is no cone
 * (every point gives NaN).
 *
 * Usage:
 *   CKvLambert1SP jamaica("JAD69 / Jamaica National Grid", 1.0, -77, 18, 250000, 150000,
 *                         clarke1866);
 *   double x, y; jamaica.Geo2Proj(-77.0, 18.0, &x, &y);  // (250000, 150000) */
#ifndef KVCART_FAMILIES_CKVLAMBERT1SP_H
#define KVCART_FAMILIES_CKVLAMBERT1SP_H

#include <string>

#include "KvCart/families/CKvLambertConformalConic.h"

class CKvLambert1SPProjection;

class KVCART_API CKvLambert1SP : public CKvLambertConformalConic {
 public:
  // From a definition record; the ellipsoid by its code in the database.
  explicit CKvLambert1SP(const CKvLambert1SPProjection* record);
  CKvLambert1SP(const std::string& name, double k0, double centralMeridian, double originLatitude,
                double falseEasting, double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvLambert1SP(const CKvLambert1SP&) = default;
  ~CKvLambert1SP() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

 private:
  void Setup(double k0, double centralMeridian, double originLatitude, double falseEasting,
             double falseNorthing);
};

#endif
