/* CKvObliqueMercator: the Hotine oblique Mercator projection with easting
 * and northing counted from the projection centre (EPSG Guidance Note 7-2,
 * method 9815 "variant B"; the Swiss LV03/LV95 grids, RSO Borneo).
 *
 * Everything but the origin is CKvHotineObliqueMercator's: the same
 * parameters, range and accuracy. The grid is rectified by the azimuth
 * unless a rectification angle of its own is given (the well-known-text
 * forms "Rectified_Skew_Orthomorphic_Center" and a
 * "Hotine_Oblique_Mercator_Azimuth_Center" with a "Rectified_Grid_Angle";
 * the centre stays the origin).
 *
 * Usage:
 *   CKvObliqueMercator lv95("LV95", 1, 7.439583333333333, 46.95240555555556, 90,
 *                           2600000, 1200000, bessel);
 *   double x, y; lv95.Geo2Proj(7.439583333333333, 46.95240555555556, &x, &y);
 *   // (2600000, 1200000) */
#ifndef KVCART_FAMILIES_CKVOBLIQUEMERCATOR_H
#define KVCART_FAMILIES_CKVOBLIQUEMERCATOR_H

#include <limits>
#include <string>

#include "KvCart/families/CKvHotineObliqueMercator.h"

class CKvObliqueMercatorProjection;

class KVCART_API CKvObliqueMercator : public CKvHotineObliqueMercator {
 public:
  explicit CKvObliqueMercator(const CKvObliqueMercatorProjection* record);
  // Angles in degrees. rectificationAngle: gamma_c of a grid not rectified
  // by the azimuth; NaN (the default) takes the azimuth.
  CKvObliqueMercator(const std::string& name, double scale, double centerLongitude,
                     double centerLatitude, double azimuth, double falseEasting,
                     double falseNorthing, const CKvEllipsoid& ellipsoid,
                     double rectificationAngle = kAzimuthAsAngle);
  CKvObliqueMercator(const CKvObliqueMercator&) = default;
  CKvObliqueMercator& operator=(const CKvObliqueMercator&) = default;
  ~CKvObliqueMercator() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

  static constexpr double kAzimuthAsAngle = std::numeric_limits<double>::quiet_NaN();
};

#endif
