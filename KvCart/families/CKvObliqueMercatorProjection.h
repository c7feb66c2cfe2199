/* CKvObliqueMercatorProjection: the definition record of an oblique
 * Mercator projection whose easting and northing are counted from the
 * projection centre (EPSG's Hotine variant B), the grid rectified by the
 * azimuth. The Swiss LV03/LV95 grids are of this kind.
 *
 * Parameters: see CKvObliqueMercatorDataFrame (scale, longitude and
 * latitude of centre, azimuth, false easting and northing, the latter two
 * at the centre). Section "OBLIQUE_MERCATOR_PROJECTION". CreateProjection
 * builds a CKvObliqueMercator (null when the ellipsoid code is unknown).
 *
 * Usage:
 *   CKvObliqueMercatorProjection lv95("LV95", "CH1903+", "BR", 1, 7.439583333333333,
 *       46.95240555555556, 90, 2600000, 1200000);
 *   CKvProjection* p = lv95.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVOBLIQUEMERCATORPROJECTION_H
#define KVCART_FAMILIES_CKVOBLIQUEMERCATORPROJECTION_H

#include <string>

#include "KvCart/families/CKvObliqueMercatorDataFrame.h"

class KVCART_API CKvObliqueMercatorProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "OBLIQUE_MERCATOR_PROJECTION";
};

class KVCART_API CKvObliqueMercatorProjection : public CKvObliqueMercatorDataFrame,
                                                public CKvObliqueMercatorProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvObliqueMercatorProjection();
  CKvObliqueMercatorProjection(const std::string& name, const std::string& branch,
                               const std::string& ellipsoidCode, double scale,
                               double centerLongitude, double centerLatitude, double azimuth,
                               double falseEasting, double falseNorthing, bool canDelete = false,
                               bool canEdit = false);
  CKvObliqueMercatorProjection(const CKvObliqueMercatorProjection&) = default;
  CKvObliqueMercatorProjection& operator=(const CKvObliqueMercatorProjection&) = default;
  ~CKvObliqueMercatorProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Oblique mercator"; }
  EProjectionType GetProjectionType() const override { return eObliqueMercator; }

 protected:
  const char* GetWktTypeName() const override { return "Hotine_Oblique_Mercator_Azimuth_Center"; }
};

#endif
