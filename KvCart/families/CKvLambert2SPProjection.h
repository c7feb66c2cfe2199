/* CKvLambert2SPProjection: the definition record of a Lambert conformal
 * conic with two standard parallels.
 *
 * Parameters, in GetParameter order: "First parallel:" ("Parallel_1", or
 * "Parallel_1_dms"), "Second parallel:" ("Parallel_2", or "Parallel_2_dms"),
 * "Longitude origin:" ("Origin_Longitude", or "Origin_Longitude_dms"),
 * "Latitude origin:" ("Origin_Latitude", or "Origin_Latitude_dms"), "False
 * easting:" ("Feast", or "Feast_ft_us"), "False northing:" ("Fnorth", or
 * "Fnorth_ft_us"). Section "LAMBERT_CONIC_2SP_PROJECTION". Degrees and
 * metres.
 *
 * CreateProjection builds a CKvLambert2SP; null when the record names no
 * ellipsoid the database holds.
 *
 * Usage:
 *   CKvLambert2SPProjection l93("RGF93 v1 / Lambert-93", "RGF93", "RF", 49, 44, 3, 46.5,
 *                                   700000, 6600000);
 *   CKvProjection* p = l93.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVLAMBERT2SPPROJECTION_H
#define KVCART_FAMILIES_CKVLAMBERT2SPPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvLambert2SPProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "LAMBERT_CONIC_2SP_PROJECTION";
};

class KVCART_API CKvLambert2SPProjection : public CKvMapProjDataFrame,
                                           public CKvLambert2SPProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvLambert2SPProjection();
  CKvLambert2SPProjection(const std::string& name, const std::string& branch,
                          const std::string& ellipsoidCode, double parallel1, double parallel2,
                          double originLongitude, double originLatitude, double falseEasting,
                          double falseNorthing, bool canDelete = false, bool canEdit = false);
  CKvLambert2SPProjection(const CKvLambert2SPProjection&) = default;
  CKvLambert2SPProjection& operator=(const CKvLambert2SPProjection&) = default;
  ~CKvLambert2SPProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override {
    return "Lambert conformal conic with 2 standard parallels";
  }
  EProjectionType GetProjectionType() const override { return eLambert2SP; }

  double GetParallel1() const { return Value(0); }
  void SetParallel1(double degrees) { SetValue(0, degrees); }
  double GetParallel2() const { return Value(1); }
  void SetParallel2(double degrees) { SetValue(1, degrees); }
  double GetOriginLongitude() const { return Value(2); }
  void SetOriginLongitude(double degrees) { SetValue(2, degrees); }
  double GetOriginLatitude() const { return Value(3); }
  void SetOriginLatitude(double degrees) { SetValue(3, degrees); }
  double GetFalseEasting() const { return Value(4); }
  void SetFalseEasting(double metres) { SetValue(4, metres); }
  double GetFalseNorthing() const { return Value(5); }
  void SetFalseNorthing(double metres) { SetValue(5, metres); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "Lambert_Conformal_Conic_2SP"; }
};

#endif
