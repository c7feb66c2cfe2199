/* CKvStereographicSouthPoleProjection: the definition record of a polar
 * stereographic projection about the south pole defined by its latitude of
 * true scale (the Antarctic polar stereographic, the NSIDC sea-ice grid).
 *
 * Parameters, in GetParameter order: "First parallel:" the latitude of true
 * scale (file keyword "Parallel_1", or "Parallel_1_dms"), "Central
 * meridian:" ("Centre", or "Centre_dms"), "False easting:" ("Feast", or
 * "Feast_ft_us"), "False northing:" ("Fnorth", or "Fnorth_ft_us"). Section
 * "STEREOGRAPHIC_SOUTH_POLE_PROJECTION". Degrees and metres.
 *
 * CreateProjection builds a CKvStereographicSouthPole; null when the record
 * names an ellipsoid the database does not hold (or none).
 *
 * Usage:
 *   CKvStereographicSouthPoleProjection aps("Antarctic", "WGS 84", "WE", -71, 0, 0, 0);
 *   CKvProjection* p = aps.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVSTEREOGRAPHICSOUTHPOLEPROJECTION_H
#define KVCART_FAMILIES_CKVSTEREOGRAPHICSOUTHPOLEPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvStereographicSouthPoleProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "STEREOGRAPHIC_SOUTH_POLE_PROJECTION";
};

class KVCART_API CKvStereographicSouthPoleProjection
    : public CKvMapProjDataFrame,
      public CKvStereographicSouthPoleProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvStereographicSouthPoleProjection();
  CKvStereographicSouthPoleProjection(const std::string& name, const std::string& branch,
                                      const std::string& ellipsoidCode, double parallel1,
                                      double centre, double falseEasting, double falseNorthing,
                                      bool canDelete = false, bool canEdit = false);
  CKvStereographicSouthPoleProjection(const CKvStereographicSouthPoleProjection&) = default;
  CKvStereographicSouthPoleProjection& operator=(const CKvStereographicSouthPoleProjection&) =
      default;
  ~CKvStereographicSouthPoleProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Stereographic south pole"; }
  EProjectionType GetProjectionType() const override { return eStereographicSouthPole; }

  double GetParallel1() const { return Value(0); }
  void SetParallel1(double degrees) { SetValue(0, degrees); }
  double GetCentre() const { return Value(1); }
  void SetCentre(double degrees) { SetValue(1, degrees); }
  double GetFalseEasting() const { return Value(2); }
  void SetFalseEasting(double metres) { SetValue(2, metres); }
  double GetFalseNorthing() const { return Value(3); }
  void SetFalseNorthing(double metres) { SetValue(3, metres); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "Stereographic_South_Pole"; }
};

#endif
