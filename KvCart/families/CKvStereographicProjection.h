/* CKvStereographicProjection: the definition record of a stereographic
 * projection (the oblique double stereographic of the Netherlands, Romania,
 * New Brunswick, ..., or a polar aspect with a latitude of origin of +-90).
 *
 * Parameters, in GetParameter order: "Scale:" k0 (file keyword "Scale", or
 * "Scale_Reduction"), "Central meridian:" ("Centre", or "Centre_dms"),
 * "Latitude origin:" ("Origin_Latitude", or "Origin_Latitude_dms"), "False
 * easting:" ("Feast", or "Feast_ft_us"), "False northing:" ("Fnorth", or
 * "Fnorth_ft_us"). Section "STEREOGRAPHIC_PROJECTION". Degrees and metres.
 *
 * CreateProjection builds a CKvStereographic; null when the record names an
 * ellipsoid the database does not hold (or none).
 *
 * Usage:
 *   CKvStereographicProjection rd("RD New", "Amersfoort", "BR", 0.9999079,
 *                                 5.38763888888889, 52.15616055555555, 155000, 463000);
 *   CKvProjection* p = rd.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVSTEREOGRAPHICPROJECTION_H
#define KVCART_FAMILIES_CKVSTEREOGRAPHICPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvStereographicProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "STEREOGRAPHIC_PROJECTION";
};

class KVCART_API CKvStereographicProjection : public CKvMapProjDataFrame,
                                              public CKvStereographicProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvStereographicProjection();
  CKvStereographicProjection(const std::string& name, const std::string& branch,
                             const std::string& ellipsoidCode, double k0, double centre,
                             double originLatitude, double falseEasting, double falseNorthing,
                             bool canDelete = false, bool canEdit = false);
  CKvStereographicProjection(const CKvStereographicProjection&) = default;
  CKvStereographicProjection& operator=(const CKvStereographicProjection&) = default;
  ~CKvStereographicProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Stereographic"; }
  EProjectionType GetProjectionType() const override { return eStereographic; }

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
  const char* GetWktTypeName() const override { return "Stereographic"; }
};

#endif
