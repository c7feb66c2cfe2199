/* CKvAlbersEqualAreaProjection: the definition record of an Albers equal-area conic.
 *
 * Parameters, in GetParameter order: "First parallel:" ("Parallel_1", or
 * "Parallel_1_dms"), "Second parallel:" ("Parallel_2", or "Parallel_2_dms"),
 * "Central Meridian:" ("Central_Meridian", or "Central_Meridian_dms"),
 * "Latitude origin:" ("Origin_Latitude", or "Origin_Latitude_dms"), "False
 * easting:" ("Feast", or "Feast_ft_us"), "False northing:" ("Fnorth", or
 * "Fnorth_ft_us"). Section "ALBERS_EQUAL_AREA_PROJECTION". Degrees and
 * metres.
 *
 * CreateProjection builds a CKvAlbersEqualArea; null when the record names no
 * ellipsoid the database holds.
 *
 * Usage:
 *   CKvAlbersEqualAreaProjection conus("NAD83 / Conus Albers", "NAD83", "RF", 29.5, 45.5, -96,
 *                                      23, 0, 0);
 *   CKvProjection* p = conus.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVALBERSEQUALAREAPROJECTION_H
#define KVCART_FAMILIES_CKVALBERSEQUALAREAPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvAlbersEqualAreaProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "ALBERS_EQUAL_AREA_PROJECTION";
};

class KVCART_API CKvAlbersEqualAreaProjection : public CKvMapProjDataFrame,
                                                public CKvAlbersEqualAreaProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvAlbersEqualAreaProjection();
  CKvAlbersEqualAreaProjection(const std::string& name, const std::string& branch,
                               const std::string& ellipsoidCode, double parallel1, double parallel2,
                               double centralMeridian, double originLatitude, double falseEasting,
                               double falseNorthing, bool canDelete = false, bool canEdit = false);
  CKvAlbersEqualAreaProjection(const CKvAlbersEqualAreaProjection&) = default;
  CKvAlbersEqualAreaProjection& operator=(const CKvAlbersEqualAreaProjection&) = default;
  ~CKvAlbersEqualAreaProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Albers equal area"; }
  EProjectionType GetProjectionType() const override { return eAlbersEqualArea; }

  double GetParallel1() const { return Value(0); }
  void SetParallel1(double degrees) { SetValue(0, degrees); }
  double GetParallel2() const { return Value(1); }
  void SetParallel2(double degrees) { SetValue(1, degrees); }
  double GetCentralMeridian() const { return Value(2); }
  void SetCentralMeridian(double degrees) { SetValue(2, degrees); }
  double GetOriginLatitude() const { return Value(3); }
  void SetOriginLatitude(double degrees) { SetValue(3, degrees); }
  double GetFalseEasting() const { return Value(4); }
  void SetFalseEasting(double metres) { SetValue(4, metres); }
  double GetFalseNorthing() const { return Value(5); }
  void SetFalseNorthing(double metres) { SetValue(5, metres); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "Albers_Conic_Equal_Area"; }
};

#endif
