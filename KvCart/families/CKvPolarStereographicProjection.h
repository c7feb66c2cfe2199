/* CKvPolarStereographicProjection: the definition record of a polar
 * stereographic projection in either of its two forms, told apart by the
 * latitude of origin: +-90 gives the projection with a scale factor at the
 * pole (UPS: k0 0.994 at 90), any other latitude is the latitude of true
 * scale about the pole on its side (NSIDC sea ice: 70), the scale then
 * being ignored.
 *
 * Parameters, in GetParameter order: "Scale:" k0 (file keyword "Scale", or
 * "Scale_Reduction"), "Central meridian:" ("Centre", or "Centre_dms"),
 * "Latitude origin:" ("Origin_Latitude", or "Origin_Latitude_dms"), "False
 * easting:" ("Feast", or "Feast_ft_us"), "False northing:" ("Fnorth", or
 * "Fnorth_ft_us"). Section "POLAR_STEREOGRAPHIC_PROJECTION". Degrees and
 * metres.
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

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvPolarStereographicProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "POLAR_STEREOGRAPHIC_PROJECTION";
};

class KVCART_API CKvPolarStereographicProjection : public CKvMapProjDataFrame,
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

  double GetScale() const { return Value(0); }
  void SetScale(double k0) { SetValue(0, k0); }
  double GetCentre() const { return Value(1); }
  void SetCentre(double degrees) { SetValue(1, degrees); }
  double GetOriginLatitude() const { return Value(2); }
  void SetOriginLatitude(double degrees) { SetValue(2, degrees); }
  double GetFalseEasting() const { return Value(3); }
  void SetFalseEasting(double metres) { SetValue(3, metres); }
  double GetFalseNorthing() const { return Value(4); }
  void SetFalseNorthing(double metres) { SetValue(4, metres); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "Polar_Stereographic"; }
};

#endif
