/* CKvLambertAzimuthalEqualAreaProjection: the definition record of a Lambert
 * azimuthal equal-area projection (LAEA Europe, the EASE grids).
 *
 * Parameters, in GetParameter order: "Central meridian:" (file keyword
 * "Centre", or "Centre_dms"), "Latitude origin:" ("Origin_Latitude", or
 * "Origin_Latitude_dms"), "False easting:" ("Feast", or "Feast_ft_us"),
 * "False northing:" ("Fnorth", or "Fnorth_ft_us"). Section
 * "LAMBERT_AZIMUTHAL_EQUAL_AREA_PROJECTION". Degrees and metres.
 *
 * CreateProjection builds a CKvLambertAzimuthalEqualArea; null when the
 * record names an ellipsoid the database does not hold (or none).
 *
 * Usage:
 *   CKvLambertAzimuthalEqualAreaProjection laea("LAEA Europe", "ETRS89", "RF", 10, 52,
 *                                               4321000, 3210000);
 *   CKvProjection* p = laea.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVLAMBERTAZIMUTHALEQUALAREAPROJECTION_H
#define KVCART_FAMILIES_CKVLAMBERTAZIMUTHALEQUALAREAPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvLambertAzimuthalEqualAreaProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "LAMBERT_AZIMUTHAL_EQUAL_AREA_PROJECTION";
};

class KVCART_API CKvLambertAzimuthalEqualAreaProjection
    : public CKvMapProjDataFrame,
      public CKvLambertAzimuthalEqualAreaProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvLambertAzimuthalEqualAreaProjection();
  CKvLambertAzimuthalEqualAreaProjection(const std::string& name, const std::string& branch,
                                         const std::string& ellipsoidCode, double centre,
                                         double originLatitude, double falseEasting,
                                         double falseNorthing, bool canDelete = false,
                                         bool canEdit = false);
  CKvLambertAzimuthalEqualAreaProjection(const CKvLambertAzimuthalEqualAreaProjection&) = default;
  CKvLambertAzimuthalEqualAreaProjection& operator=(const CKvLambertAzimuthalEqualAreaProjection&) =
      default;
  ~CKvLambertAzimuthalEqualAreaProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Lambert azimuthal equal area"; }
  EProjectionType GetProjectionType() const override { return eLambertAzimuthalEqualArea; }

  double GetCentre() const { return Value(0); }
  void SetCentre(double degrees) { SetValue(0, degrees); }
  double GetOriginLatitude() const { return Value(1); }
  void SetOriginLatitude(double degrees) { SetValue(1, degrees); }
  double GetFalseEasting() const { return Value(2); }
  void SetFalseEasting(double metres) { SetValue(2, metres); }
  double GetFalseNorthing() const { return Value(3); }
  void SetFalseNorthing(double metres) { SetValue(3, metres); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "Lambert_Azimuthal_Equal_Area"; }
};

#endif
