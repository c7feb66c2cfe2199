/* CKvRectifiedSkewOrthomorphicProjection: the definition record of a
 * rectified skew orthomorphic projection: Hotine oblique Mercator from the
 * natural origin, the grid rectified by an angle of its own instead of the
 * azimuth (the Malaysian RSO grids).
 *
 * Parameters: see CKvObliqueMercatorDataFrame; "XY plane rotation:"
 * ("XY_Plane_Rotation", degrees) follows the azimuth. Section
 * "RECTIFIED_SKEW_ORTHOMORPHIC_PROJECTION". CreateProjection builds a
 * CKvRectifiedSkewOrthomorphic (null when the ellipsoid code is unknown).
 *
 * Usage:
 *   CKvRectifiedSkewOrthomorphicProjection rso("Peninsula RSO", "GDM2000", "RF", 0.99984,
 *       102.25, 4, 323.02579646666663, 323.13010236111114, 804671, 0);
 *   CKvProjection* p = rso.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVRECTIFIEDSKEWORTHOMORPHICPROJECTION_H
#define KVCART_FAMILIES_CKVRECTIFIEDSKEWORTHOMORPHICPROJECTION_H

#include <string>

#include "KvCart/families/CKvObliqueMercatorDataFrame.h"

class KVCART_API CKvRectifiedSkewOrthomorphicProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "RECTIFIED_SKEW_ORTHOMORPHIC_PROJECTION";
};

class KVCART_API CKvRectifiedSkewOrthomorphicProjection
    : public CKvObliqueMercatorDataFrame,
      public CKvRectifiedSkewOrthomorphicProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvRectifiedSkewOrthomorphicProjection();
  CKvRectifiedSkewOrthomorphicProjection(const std::string& name, const std::string& branch,
                                         const std::string& ellipsoidCode, double scale,
                                         double centerLongitude, double centerLatitude,
                                         double azimuth, double xyPlaneRotation,
                                         double falseEasting, double falseNorthing,
                                         bool canDelete = false, bool canEdit = false);
  CKvRectifiedSkewOrthomorphicProjection(const CKvRectifiedSkewOrthomorphicProjection&) = default;
  CKvRectifiedSkewOrthomorphicProjection& operator=(const CKvRectifiedSkewOrthomorphicProjection&) =
      default;
  ~CKvRectifiedSkewOrthomorphicProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Rectified skew orthomorphic"; }
  EProjectionType GetProjectionType() const override { return eRectifiedSkewOrthomorphic; }

  double GetXYPlaneRotation() const { return Value(4); }
  void SetXYPlaneRotation(double degrees) { SetValue(4, degrees); }
  double GetRectificationAngle() const override { return GetXYPlaneRotation(); }

 protected:
  void TransferValues(CKvPRJParser& parser) const override;
  const char* GetWktTypeName() const override {
    return "Rectified_Skew_Orthomorphic_Natural_Origin";
  }
};

#endif
