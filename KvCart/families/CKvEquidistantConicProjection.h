/* CKvEquidistantConicProjection: the definition record of an equidistant conic.
 *
 * Parameters, in GetParameter order: "First parallel:" ("Parallel_1", or
 * "Parallel_1_dms"), "Second parallel:" ("Parallel_2", or "Parallel_2_dms"),
 * "Central Meridian:" ("Central_Meridian", or "Central_Meridian_dms"),
 * "Latitude origin:" ("Origin_Latitude", or "Origin_Latitude_dms"), "False
 * easting:" ("Feast", or "Feast_ft_us"), "False northing:" ("Fnorth", or
 * "Fnorth_ft_us"). Section "EQUIDISTANT_CONIC_PROJECTION". Degrees and
 * metres.
 *
 * CreateProjection builds a CKvEquidistantConic; null when the record names no
 * ellipsoid the database holds.
 *
 * Usage:
 *   CKvEquidistantConicProjection usa("USA_Contiguous_Equidistant_Conic", "NAD83", "RF", 33, 45,
 *                                     -96, 39, 0, 0);
 *   CKvProjection* p = usa.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVEQUIDISTANTCONICPROJECTION_H
#define KVCART_FAMILIES_CKVEQUIDISTANTCONICPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvEquidistantConicProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "EQUIDISTANT_CONIC_PROJECTION";
};

class KVCART_API CKvEquidistantConicProjection : public CKvMapProjDataFrame,
                                                 public CKvEquidistantConicProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvEquidistantConicProjection();
  CKvEquidistantConicProjection(const std::string& name, const std::string& branch,
                                const std::string& ellipsoidCode, double parallel1,
                                double parallel2, double centralMeridian, double originLatitude,
                                double falseEasting, double falseNorthing, bool canDelete = false,
                                bool canEdit = false);
  CKvEquidistantConicProjection(const CKvEquidistantConicProjection&) = default;
  CKvEquidistantConicProjection& operator=(const CKvEquidistantConicProjection&) = default;
  ~CKvEquidistantConicProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Equidistant conic"; }
  EProjectionType GetProjectionType() const override { return eEquidistantConic; }

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
  const char* GetWktTypeName() const override { return "Equidistant_Conic"; }
};

#endif
