/* CKvNewZealandMapGridProjection: the definition record of the New Zealand
 * Map Grid (NZGD49; origin 173 E 41 S, false origin 2510000, 6023150).
 *
 * Parameters, in GetParameter order: "Longitude origin:" (file keyword
 * "Origin_Longitude", or "Origin_Longitude_dms"), "Latitude origin:"
 * ("Origin_Latitude", or "Origin_Latitude_dms"), "False easting:" ("Feast",
 * or "Feast_ft_us"), "False northing:" ("Fnorth", or "Fnorth_ft_us").
 * Section "NEW_ZEALAND_MAP_GRID_PROJECTION". Degrees and metres.
 *
 * CreateProjection builds a CKvNewZealandMapGrid; null when the record names
 * an ellipsoid the database does not hold (or none). The grid's series
 * belong to the International 1924 ellipsoid ("IN").
 *
 * Usage:
 *   CKvNewZealandMapGridProjection nzmg("NZMG", "NZGD49", "IN", 173, -41, 2510000, 6023150);
 *   CKvProjection* p = nzmg.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVNEWZEALANDMAPGRIDPROJECTION_H
#define KVCART_FAMILIES_CKVNEWZEALANDMAPGRIDPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvNewZealandMapGridProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "NEW_ZEALAND_MAP_GRID_PROJECTION";
};

class KVCART_API CKvNewZealandMapGridProjection : public CKvMapProjDataFrame,
                                                  public CKvNewZealandMapGridProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvNewZealandMapGridProjection();
  CKvNewZealandMapGridProjection(const std::string& name, const std::string& branch,
                                 const std::string& ellipsoidCode, double originLongitude,
                                 double originLatitude, double falseEasting, double falseNorthing,
                                 bool canDelete = false, bool canEdit = false);
  CKvNewZealandMapGridProjection(const CKvNewZealandMapGridProjection&) = default;
  CKvNewZealandMapGridProjection& operator=(const CKvNewZealandMapGridProjection&) = default;
  ~CKvNewZealandMapGridProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "New Zealand map grid"; }
  EProjectionType GetProjectionType() const override { return eNewZealandMapGrid; }

  double GetOriginLongitude() const { return Value(0); }
  void SetOriginLongitude(double degrees) { SetValue(0, degrees); }
  double GetOriginLatitude() const { return Value(1); }
  void SetOriginLatitude(double degrees) { SetValue(1, degrees); }
  double GetFalseEasting() const { return Value(2); }
  void SetFalseEasting(double metres) { SetValue(2, metres); }
  double GetFalseNorthing() const { return Value(3); }
  void SetFalseNorthing(double metres) { SetValue(3, metres); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "New_Zealand_Map_Grid"; }
};

#endif
