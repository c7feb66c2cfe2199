/* CKvMercator1SP: Mercator with one standard parallel (EPSG Guidance Note
 * 7-2, method 9804, "variant A"): the scale k0 is given on the equator.
 *
 * Parameters: k0, central meridian (degrees), false easting and northing
 * (metres), the ellipsoid. Range, accuracy and thread safety: see
 * CKvMercator.
 *
 * Usage:
 *   CKvMercator1SP world("WGS 84 / World Mercator", 1.0, 0, 0, 0, wgs84);
 *   double x, y; world.Geo2Proj(3.0, 0.0, &x, &y);  // (333958.47, 0) */
#ifndef KVCART_FAMILIES_CKVMERCATOR1SP_H
#define KVCART_FAMILIES_CKVMERCATOR1SP_H

#include <string>

#include "KvCart/families/CKvMercator.h"

class CKvMercator1SPProjection;

class KVCART_API CKvMercator1SP : public CKvMercator {
 public:
  // From a definition record; the ellipsoid by its code in the database.
  explicit CKvMercator1SP(const CKvMercator1SPProjection* record);
  CKvMercator1SP(const std::string& name, double k0, double centralMeridian, double falseEasting,
                 double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvMercator1SP(const CKvMercator1SP&) = default;
  ~CKvMercator1SP() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;
};

#endif
