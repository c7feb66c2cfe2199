/* CKvLambert2SP: Lambert conformal conic with two standard parallels (EPSG
 * Guidance Note 7-2, method 9802): true scale on both parallels phi1 and
 * phi2; n = (ln m1 - ln m2) / (ln t1 - ln t2), or sin phi1 when the parallels
 * are equal (within 1e-10 rad); F = m1 / (n t1^n). The latitude and longitude
 * of origin are the false origin. An optional scale k0 multiplies every
 * radius: the ellipsoid scaling factor of the Michigan zones (EPSG method
 * 1051) and the scale factor some well-known texts give this projection.
 *
 * Parameters: first and second standard parallel, longitude and latitude of
 * origin (degrees), false easting and northing (metres), the ellipsoid, k0.
 * Range, accuracy and thread safety: see CKvLambertConformalConic.
 *
 * Usage:
 *   CKvLambert2SP l93("RGF93 v1 / Lambert-93", 49, 44, 3, 46.5, 700000, 6600000, grs80);
 *   double x, y; l93.Geo2Proj(3.0, 46.5, &x, &y);  // (700000, 6600000) */
#ifndef KVCART_FAMILIES_CKVLAMBERT2SP_H
#define KVCART_FAMILIES_CKVLAMBERT2SP_H

#include <string>

#include "KvCart/families/CKvLambertConformalConic.h"

class CKvLambert2SPProjection;

class KVCART_API CKvLambert2SP : public CKvLambertConformalConic {
 public:
  // From a definition record (k0 = 1); the ellipsoid by its code.
  explicit CKvLambert2SP(const CKvLambert2SPProjection* record);
  CKvLambert2SP(const std::string& name, double parallel1, double parallel2, double originLongitude,
                double originLatitude, double falseEasting, double falseNorthing,
                const CKvEllipsoid& ellipsoid, double k0 = 1.0);
  CKvLambert2SP(const CKvLambert2SP&) = default;
  ~CKvLambert2SP() override;

  // The box of +-3 degrees around the origin; around the mean of the two
  // parallels when the origin is a pole (the apex of the cone).
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

 private:
  void Setup(double parallel1, double parallel2, double k0);

  double m_meanParallel = 0.0;  // degrees
};

#endif
