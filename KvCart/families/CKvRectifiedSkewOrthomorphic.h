/* CKvRectifiedSkewOrthomorphic: the Hotine oblique Mercator projection from
 * its natural origin with a grid rectified by an angle of its own (the
 * "XY plane rotation") instead of the azimuth: the rectified skew
 * orthomorphic grids of Malaysia (EPSG Guidance Note 7-2, method 9812 with
 * gamma_c given).
 *
 * Everything else is CKvHotineObliqueMercator's; with the rotation equal to
 * the azimuth the two give the same coordinates.
 *
 * Usage:
 *   CKvRectifiedSkewOrthomorphic rso("Peninsula RSO", 0.99984, 102.25, 4,
 *       323.02579646666663, 323.13010236111114, 804671, 0, grs80);
 *   double x, y; rso.Geo2Proj(101.7, 3.15, &x, &y); */
#ifndef KVCART_FAMILIES_CKVRECTIFIEDSKEWORTHOMORPHIC_H
#define KVCART_FAMILIES_CKVRECTIFIEDSKEWORTHOMORPHIC_H

#include <string>

#include "KvCart/families/CKvHotineObliqueMercator.h"

class CKvRectifiedSkewOrthomorphicProjection;

class KVCART_API CKvRectifiedSkewOrthomorphic : public CKvHotineObliqueMercator {
 public:
  explicit CKvRectifiedSkewOrthomorphic(const CKvRectifiedSkewOrthomorphicProjection* record);
  // Angles in degrees; xyPlaneRotation is the rectification angle gamma_c.
  CKvRectifiedSkewOrthomorphic(const std::string& name, double scale, double centerLongitude,
                               double centerLatitude, double azimuth, double xyPlaneRotation,
                               double falseEasting, double falseNorthing,
                               const CKvEllipsoid& ellipsoid);
  CKvRectifiedSkewOrthomorphic(const CKvRectifiedSkewOrthomorphic&) = default;
  CKvRectifiedSkewOrthomorphic& operator=(const CKvRectifiedSkewOrthomorphic&) = default;
  ~CKvRectifiedSkewOrthomorphic() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;
};

#endif
