/* CKvLambert1SPProjection: the definition record of a Lambert conformal
 * conic with one standard parallel.
 *
 * Parameters, in GetParameter order: "Scale:" k0 (file keyword "Scale", or
 * "Scale_Reduction"), "Central meridian:" ("Origin_Longitude", or
 * "Origin_Longitude_dms"), "Latitude origin:" ("Origin_Latitude", or
 * "Origin_Latitude_dms"), "False easting:" ("Feast", or "Feast_ft_us"),
 * "False northing:" ("Fnorth", or "Fnorth_ft_us"). Section
 * "LAMBERT_CONIC_1SP_PROJECTION". Degrees and metres.
 *
 * CreateProjection builds a CKvLambert1SP; null when the record names no
 * ellipsoid the database holds.
 *
 * Usage:
 *   CKvLambert1SPProjection jamaica("JAD69 / Jamaica National Grid", "JAD69", "CC",
 *                                   1.0, -77, 18, 250000, 150000);
 *   CKvProjection* p = jamaica.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVLAMBERT1SPPROJECTION_H
#define KVCART_FAMILIES_CKVLAMBERT1SPPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvLambert1SPProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "LAMBERT_CONIC_1SP_PROJECTION";
};

class KVCART_API CKvLambert1SPProjection : public CKvMapProjDataFrame,
                                           public CKvLambert1SPProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvLambert1SPProjection();
  CKvLambert1SPProjection(const std::string& name, const std::string& branch,
                          const std::string& ellipsoidCode, double k0, double originLongitude,
                          double originLatitude, double falseEasting, double falseNorthing,
                          bool canDelete = false, bool canEdit = false);
  CKvLambert1SPProjection(const CKvLambert1SPProjection&) = default;
  CKvLambert1SPProjection& operator=(const CKvLambert1SPProjection&) = default;
  ~CKvLambert1SPProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override {
    return "Lambert conformal conic with 1 standard parallel";
  }
  EProjectionType GetProjectionType() const override { return eLambert1SP; }

  double GetScale() const { return Value(0); }
  void SetScale(double k0) { SetValue(0, k0); }
  double GetOriginLongitude() const { return Value(1); }
  void SetOriginLongitude(double degrees) { SetValue(1, degrees); }
  double GetOriginLatitude() const { return Value(2); }
  void SetOriginLatitude(double degrees) { SetValue(2, degrees); }
  double GetFalseEasting() const { return Value(3); }
  void SetFalseEasting(double metres) { SetValue(3, metres); }
  double GetFalseNorthing() const { return Value(4); }
  void SetFalseNorthing(double metres) { SetValue(4, metres); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "Lambert_Conformal_Conic_1SP"; }
};

#endif
