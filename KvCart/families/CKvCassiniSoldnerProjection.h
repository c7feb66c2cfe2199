/* CKvCassiniSoldnerProjection: the definition record of a Cassini-Soldner projection.
 *
 * Parameters, in GetParameter order: "Central Meridian:" ("Central_Meridian",
 * or "Central_Meridian_dms"), "Latitude origin:" ("Origin_Latitude", or
 * "Origin_Latitude_dms"), "False easting:" ("Feast", or "Feast_ft_us"),
 * "False northing:" ("Fnorth", or "Fnorth_ft_us"). Section
 * "CASSINI_SOLDNER_PROJECTION". Degrees and metres.
 *
 * CreateProjection builds a CKvCassiniSoldner; null when the record names no
 * ellipsoid the database holds.
 *
 * Usage:
 *   CKvCassiniSoldnerProjection johor("GDM2000 / Johor Grid", "GDM2000", "RF", 103.4279362,
 *                                       2.1216797, -14810.562, 8758.32);
 *   CKvProjection* p = johor.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVCASSINISOLDNERPROJECTION_H
#define KVCART_FAMILIES_CKVCASSINISOLDNERPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvCassiniSoldnerProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "CASSINI_SOLDNER_PROJECTION";
};

class KVCART_API CKvCassiniSoldnerProjection : public CKvMapProjDataFrame,
                                               public CKvCassiniSoldnerProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvCassiniSoldnerProjection();
  CKvCassiniSoldnerProjection(const std::string& name, const std::string& branch,
                              const std::string& ellipsoidCode, double centralMeridian,
                              double originLatitude, double falseEasting, double falseNorthing,
                              bool canDelete = false, bool canEdit = false);
  CKvCassiniSoldnerProjection(const CKvCassiniSoldnerProjection&) = default;
  CKvCassiniSoldnerProjection& operator=(const CKvCassiniSoldnerProjection&) = default;
  ~CKvCassiniSoldnerProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Cassini-Soldner"; }
  EProjectionType GetProjectionType() const override { return eCassiniSoldner; }

  double GetCentralMeridian() const { return Value(0); }
  void SetCentralMeridian(double degrees) { SetValue(0, degrees); }
  double GetOriginLatitude() const { return Value(1); }
  void SetOriginLatitude(double degrees) { SetValue(1, degrees); }
  double GetFalseEasting() const { return Value(2); }
  void SetFalseEasting(double metres) { SetValue(2, metres); }
  double GetFalseNorthing() const { return Value(3); }
  void SetFalseNorthing(double metres) { SetValue(3, metres); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "Cassini_Soldner"; }
};

#endif
