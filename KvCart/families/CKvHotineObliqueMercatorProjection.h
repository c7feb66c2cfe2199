/* CKvHotineObliqueMercatorProjection: the definition record of a Hotine
 * oblique Mercator projection, easting and northing counted from the
 * natural origin (where the centre line crosses the equator of the
 * aposphere), the grid rectified by the azimuth. NAD83 / Alaska zone 1 is
 * one.
 *
 * Parameters: see CKvObliqueMercatorDataFrame (scale, longitude and
 * latitude of centre, azimuth, false easting, false northing). Section
 * "HOTINE_OBLIQUE_MERCATOR_PROJECTION". CreateProjection builds a
 * CKvHotineObliqueMercator (null when the ellipsoid code is unknown).
 *
 * Usage:
 *   CKvHotineObliqueMercatorProjection alaska1("Alaska 1", "NAD83", "RF", 0.9999,
 *       -133.66666666666666, 57, 323.13010236111114, 5000000, -5000000);
 *   CKvProjection* p = alaska1.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVHOTINEOBLIQUEMERCATORPROJECTION_H
#define KVCART_FAMILIES_CKVHOTINEOBLIQUEMERCATORPROJECTION_H

#include <string>

#include "KvCart/families/CKvObliqueMercatorDataFrame.h"

class KVCART_API CKvHotineObliqueMercatorProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "HOTINE_OBLIQUE_MERCATOR_PROJECTION";
};

class KVCART_API CKvHotineObliqueMercatorProjection : public CKvObliqueMercatorDataFrame,
                                                      public CKvHotineObliqueMercatorProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvHotineObliqueMercatorProjection();
  CKvHotineObliqueMercatorProjection(const std::string& name, const std::string& branch,
                                     const std::string& ellipsoidCode, double scale,
                                     double centerLongitude, double centerLatitude, double azimuth,
                                     double falseEasting, double falseNorthing,
                                     bool canDelete = false, bool canEdit = false);
  CKvHotineObliqueMercatorProjection(const CKvHotineObliqueMercatorProjection&) = default;
  CKvHotineObliqueMercatorProjection& operator=(const CKvHotineObliqueMercatorProjection&) =
      default;
  ~CKvHotineObliqueMercatorProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Hotine oblique mercator"; }
  EProjectionType GetProjectionType() const override { return eHotineObliqueMercator; }

 protected:
  const char* GetWktTypeName() const override {
    return "Hotine_Oblique_Mercator_Azimuth_Natural_Origin";
  }
};

#endif
