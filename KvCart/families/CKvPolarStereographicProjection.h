/* CKvPolarStereographicProjection: the definition record of a polar
 * stereographic projection in either of its two forms, told apart by the
 * latitude of origin: +-90 gives the projection with a scale factor at the
 * pole (UPS: k0 0.994 at 90), any other latitude is the latitude of true
 * scale about the pole on its side (NSIDC sea ice: 70), the scale then
 * being ignored.
 *
 * Parameters: see CKvStereographicDataFrame (scale, central meridian,
 * latitude of origin, false easting and northing). Section
 * "POLAR_STEREOGRAPHIC_PROJECTION".
 *
 * CreateProjection builds a CKvPolarStereographic; null when the record
 * names an ellipsoid the database does not hold (or none).
 *
 * Usage:
 *   CKvPolarStereographicProjection ups("UPS North", "WGS 84", "WE", 0.994, 0, 90,
 *                                      2000000, 2000000);
 *   CKvProjection* p = ups.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVPOLARSTEREOGRAPHICPROJECTION_H
#define KVCART_FAMILIES_CKVPOLARSTEREOGRAPHICPROJECTION_H

#include <string>

#include "KvCart/families/CKvStereographicDataFrame.h"

class KVCART_API CKvPolarStereographicProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "POLAR_STEREOGRAPHIC_PROJECTION";
};

class KVCART_API CKvPolarStereographicProjection : public CKvStereographicDataFrame,
                                                   public CKvPolarStereographicProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvPolarStereographicProjection();
  CKvPolarStereographicProjection(const std::string& name, const std::string& branch,
                                  const std::string& ellipsoidCode, double k0, double centre,
                                  double originLatitude, double falseEasting, double falseNorthing,
                                  bool canDelete = false, bool canEdit = false);
  CKvPolarStereographicProjection(const CKvPolarStereographicProjection&) = default;
  CKvPolarStereographicProjection& operator=(const CKvPolarStereographicProjection&) = default;
  ~CKvPolarStereographicProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Polar stereographic"; }
  EProjectionType GetProjectionType() const override { return ePolarStereographic; }

 protected:
  const char* GetWktTypeName() const override { return "Polar_Stereographic"; }
};

#endif
