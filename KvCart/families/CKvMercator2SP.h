/* CKvMercator2SP: Mercator with two standard parallels (EPSG Guidance Note
 * 7-2, method 9805, "variant B"): true scale on the parallels +-phi1, so
 * k0 = cos phi1 / sqrt(1 - e^2 sin^2 phi1) on the equator.
 *
 * Parameters: latitude of true scale phi1, central meridian (degrees), false
 * easting and northing (metres), the ellipsoid. Range, accuracy and thread
 * safety: see CKvMercator.
 *
 * Usage:
 *   CKvMercator2SP caspian("Pulkovo 1942 / Caspian Sea Mercator", 42, 51, 0, 0, krassovsky);
 *   double x, y; caspian.Geo2Proj(51.0, 0.0, &x, &y);  // (0, 0) */
#ifndef KVCART_FAMILIES_CKVMERCATOR2SP_H
#define KVCART_FAMILIES_CKVMERCATOR2SP_H

#include <string>

#include "KvCart/families/CKvMercator.h"

class CKvMercator2SPProjection;

class KVCART_API CKvMercator2SP : public CKvMercator {
 public:
  // From a definition record; the ellipsoid by its code in the database.
  explicit CKvMercator2SP(const CKvMercator2SPProjection* record);
  CKvMercator2SP(const std::string& name, double parallel1, double centralMeridian,
                 double falseEasting, double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvMercator2SP(const CKvMercator2SP&) = default;
  ~CKvMercator2SP() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

 private:
  void SetupFromParallel(double parallel1, double centralMeridian, double falseEasting,
                         double falseNorthing);
};

#endif
