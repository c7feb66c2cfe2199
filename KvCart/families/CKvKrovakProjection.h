/* CKvKrovakProjection: the definition record of a Krovak oblique conformal
 * conic projection (S-JTSK of the Czech Republic and Slovakia).
 *
 * Parameters, in GetParameter order: "Scale at pseudo parallel:"
 * ("Scale_At_Pseudo_Parallel", decimal only), "Pseudo parallel:"
 * ("Pseudo_Parallel", or "Pseudo_Parallel_dms"), "Longitude of center:"
 * ("Center_Longitude", or "..._dms"; the longitude of origin),
 * "Latitude of center:" ("Center_Latitude", or "..._dms"), "Azimuth:" (the
 * co-latitude of the cone axis, "Azimuth"), "XY plane rotation:"
 * ("XY_Plane_Rotation"), "X scale:" ("X_Scale"), "Y scale:" ("Y_Scale"),
 * "False easting:", "False northing:" ("Feast", "Fnorth", or "_ft_us").
 * The last five orient the grid: see CKvKrovak. Section
 * "KROVAK_OBLIQUE_CONFORMAL_CONIC". Degrees and metres.
 *
 * Usage:
 *   CKvKrovakProjection sjtsk("S-JTSK East North", "S-JTSK", "BR", 0.9999, 78.5,
 *       24.833333333333332, 49.5, 30.28813975277778, 90, -1, 1, 0, 0);
 *   CKvProjection* p = sjtsk.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVKROVAKPROJECTION_H
#define KVCART_FAMILIES_CKVKROVAKPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvKrovakProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "KROVAK_OBLIQUE_CONFORMAL_CONIC";
};

class KVCART_API CKvKrovakProjection : public CKvMapProjDataFrame, public CKvKrovakProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvKrovakProjection();
  CKvKrovakProjection(const std::string& name, const std::string& branch,
                      const std::string& ellipsoidCode, double scaleAtPseudoParallel,
                      double pseudoParallel, double centerLongitude, double centerLatitude,
                      double azimuth, double xyPlaneRotation, double xScale, double yScale,
                      double falseEasting, double falseNorthing, bool canDelete = false,
                      bool canEdit = false);
  CKvKrovakProjection(const CKvKrovakProjection&) = default;
  CKvKrovakProjection& operator=(const CKvKrovakProjection&) = default;
  ~CKvKrovakProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Krovak oblique conformal conic"; }
  EProjectionType GetProjectionType() const override { return eKrovak; }

  double GetScaleAtPseudoParallel() const { return Value(0); }
  void SetScaleAtPseudoParallel(double k) { SetValue(0, k); }
  double GetPseudoParallel() const { return Value(1); }
  void SetPseudoParallel(double degrees) { SetValue(1, degrees); }
  double GetCenterLongitude() const { return Value(2); }
  void SetCenterLongitude(double degrees) { SetValue(2, degrees); }
  double GetCenterLatitude() const { return Value(3); }
  void SetCenterLatitude(double degrees) { SetValue(3, degrees); }
  double GetAzimuth() const { return Value(4); }
  void SetAzimuth(double degrees) { SetValue(4, degrees); }
  double GetXYPlaneRotation() const { return Value(5); }
  void SetXYPlaneRotation(double degrees) { SetValue(5, degrees); }
  double GetXScale() const { return Value(6); }
  void SetXScale(double scale) { SetValue(6, scale); }
  double GetYScale() const { return Value(7); }
  void SetYScale(double scale) { SetValue(7, scale); }
  double GetFalseEasting() const { return Value(8); }
  void SetFalseEasting(double metres) { SetValue(8, metres); }
  double GetFalseNorthing() const { return Value(9); }
  void SetFalseNorthing(double metres) { SetValue(9, metres); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override { return "Krovak"; }
};

#endif
