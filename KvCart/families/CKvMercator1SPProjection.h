/* CKvMercator1SPProjection: the definition record of a Mercator projection
 * given by its scale on the equator.
 *
 * Parameters, in GetParameter order: "Scale:" ("Scale", or
 * "Scale_Reduction"), "Central meridian:" ("Centre", or "Centre_dms"), "False
 * easting:" ("Feast", or "Feast_ft_us"), "False northing:" ("Fnorth", or
 * "Fnorth_ft_us"). Section "MERCATOR_1SP_PROJECTION". Degrees and metres.
 *
 * CreateProjection builds a CKvMercator1SP; null when the record names no
 * ellipsoid the database holds.
 *
 * Usage:
 *   CKvMercator1SPProjection world("WGS 84 / World Mercator", "WGS 84", "WE", 1.0, 0, 0, 0);
 *   CKvProjection* p = world.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVMERCATOR1SPPROJECTION_H
#define KVCART_FAMILIES_CKVMERCATOR1SPPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvMercator1SPProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "MERCATOR_1SP_PROJECTION";
};

class KVCART_API CKvMercator1SPProjection : public CKvMapProjDataFrame,
                                            public CKvMercator1SPProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvMercator1SPProjection();
  CKvMercator1SPProjection(const std::string& name, const std::string& branch,
                           const std::string& ellipsoidCode, double k0, double centre,
                           double falseEasting, double falseNorthing, bool canDelete = false,
                           bool canEdit = false);
  CKvMercator1SPProjection(const CKvMercator1SPProjection&) = default;
  CKvMercator1SPProjection& operator=(const CKvMercator1SPProjection&) = default;
  ~CKvMercator1SPProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override {
    return "Mercator with 1 standard parallel";
  }
  EProjectionType GetProjectionType() const override { return eMercator1SP; }

  double GetScale() const { return Value(0); }
  void SetScale(double k0) { SetValue(0, k0); }
  double GetCentre() const { return Value(1); }
  void SetCentre(double degrees) { SetValue(1, degrees); }
  double GetFalseEasting() const { return Value(2); }
  void SetFalseEasting(double metres) { SetValue(2, metres); }
  double GetFalseNorthing() const { return Value(3); }
  void SetFalseNorthing(double metres) { SetValue(3, metres); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "Mercator_1SP"; }
};

#endif
