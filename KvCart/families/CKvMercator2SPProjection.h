/* CKvMercator2SPProjection: the definition record of a Mercator projection
 * given by its latitude of true scale.
 *
 * Parameters, in GetParameter order: "First parallel:" ("Parallel_1", or
 * "Parallel_1_dms"), "Central meridian:" ("Centre", or "Centre_dms"), "False
 * easting:" ("Feast", or "Feast_ft_us"), "False northing:" ("Fnorth", or
 * "Fnorth_ft_us"). Section "MERCATOR_2SP_PROJECTION" (also read from the
 * older name "MERCATOR_PROJECTION"; always written under the first). Degrees
 * and metres.
 *
 * CreateProjection builds a CKvMercator2SP; null when the record names no
 * ellipsoid the database holds.
 *
 * Usage:
 *   CKvMercator2SPProjection caspian("Pulkovo 1942 / Caspian Sea Mercator", "Pulkovo 1942", "KA",
 *                                    42, 51, 0, 0);
 *   CKvProjection* p = caspian.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVMERCATOR2SPPROJECTION_H
#define KVCART_FAMILIES_CKVMERCATOR2SPPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvMercator2SPProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "MERCATOR_2SP_PROJECTION";
  static constexpr const char ID_PROJECTION_SECTION_OLD[] = "MERCATOR_PROJECTION";
};

class KVCART_API CKvMercator2SPProjection : public CKvMapProjDataFrame,
                                            public CKvMercator2SPProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvMercator2SPProjection();
  CKvMercator2SPProjection(const std::string& name, const std::string& branch,
                           const std::string& ellipsoidCode, double parallel1, double centre,
                           double falseEasting, double falseNorthing, bool canDelete = false,
                           bool canEdit = false);
  CKvMercator2SPProjection(const CKvMercator2SPProjection&) = default;
  CKvMercator2SPProjection& operator=(const CKvMercator2SPProjection&) = default;
  ~CKvMercator2SPProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override {
    return "Mercator with 2 standard parallels";
  }
  EProjectionType GetProjectionType() const override { return eMercator2SP; }

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
  const char* GetWktTypeName() const override { return "Mercator_2SP"; }
};

#endif
