/* CKvTransverseMercatorProjection: the definition record of a transverse
 * Mercator projection (the UTM zones, "NON-UTM", national grids).
 *
 * Parameters, in GetParameter order: "Scale:" k0 (file keyword "Scale", or
 * "Scale_Reduction"), "Central meridian:" ("Centre", or "Centre_dms"),
 * "Latitude origin:" ("Origin_Latitude", or "Origin_Latitude_dms"), "False
 * easting:" ("Feast", or "Feast_ft_us"), "False northing:" ("Fnorth", or
 * "Fnorth_ft_us"). Section "UTM_PROJECTION". Degrees and metres.
 *
 * CreateProjection builds a CKvTransverseMercatorJHS; null when the record
 * names an ellipsoid the database does not hold (or none), unless the
 * record is the local "NON-UTM", which needs none.
 *
 * Usage:
 *   CKvTransverseMercatorProjection utm32("UTM-32", "UTM Projections", "WE",
 *                                         0.9996, 9, 0, 500000, 0);
 *   CKvProjection* p = utm32.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVTRANSVERSEMERCATORPROJECTION_H
#define KVCART_FAMILIES_CKVTRANSVERSEMERCATORPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvTransverseMercatorProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "UTM_PROJECTION";
};

class KVCART_API CKvTransverseMercatorProjection : public CKvMapProjDataFrame,
                                                   public CKvTransverseMercatorProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvTransverseMercatorProjection();
  // Zero parameters, neither deletable nor editable.
  explicit CKvTransverseMercatorProjection(const std::string& name);
  CKvTransverseMercatorProjection(const std::string& name, const std::string& branch,
                                  const std::string& ellipsoidCode, double k0, double centre,
                                  double originLatitude, double falseEasting, double falseNorthing,
                                  bool canDelete = false, bool canEdit = false);
  CKvTransverseMercatorProjection(const CKvTransverseMercatorProjection&) = default;
  CKvTransverseMercatorProjection& operator=(const CKvTransverseMercatorProjection&) = default;
  ~CKvTransverseMercatorProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Transverse mercator"; }
  EProjectionType GetProjectionType() const override { return eTransverseMercator; }

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
  const char* GetWktTypeName() const override { return "Transverse_Mercator"; }
};

#endif
