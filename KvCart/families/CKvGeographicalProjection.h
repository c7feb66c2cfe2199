/* CKvGeographicalProjection: the definition record of plain geographical
 * coordinates (the generated "LONG/LAT" and any "GEOGRAPHICAL_PROJECTION"
 * section of a definition file).
 *
 * No parameters. The record also keeps a prime meridian (degrees east of
 * Greenwich) that definition files neither hold nor receive; it reaches the
 * CKvGeographical object that CreateProjection builds. The ellipsoid code
 * may be empty: geographical coordinates convert without an ellipsoid.
 *
 * Usage:
 *   CKvGeographicalProjection ll("LONG/LAT", "Non UTM Projections", "", 0.0);
 *   CKvProjection* p = ll.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVGEOGRAPHICALPROJECTION_H
#define KVCART_FAMILIES_CKVGEOGRAPHICALPROJECTION_H

#include <string>

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvGeographicalProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "GEOGRAPHICAL_PROJECTION";
};

class KVCART_API CKvGeographicalProjection : public CKvMapProjDataFrame,
                                             public CKvGeographicalProjectionIDs {
 public:
  // Empty strings, prime meridian 0, deletable and editable.
  CKvGeographicalProjection();
  // Neither deletable nor editable unless the flags say so.
  CKvGeographicalProjection(const std::string& name, const std::string& branch,
                            const std::string& ellipsoidCode, double primeMeridian,
                            bool canDelete = false, bool canEdit = false);
  CKvGeographicalProjection(const CKvGeographicalProjection&) = default;
  CKvGeographicalProjection& operator=(const CKvGeographicalProjection&) = default;
  ~CKvGeographicalProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Geographical"; }
  EProjectionType GetProjectionType() const override { return eGeographical; }

  double GetPrimeMeridian() const { return m_primeMeridian; }
  void SetPrimeMeridian(double degrees) { m_primeMeridian = degrees; }

 protected:
  void TransferValues(CKvPRJParser&) const override {}
  const char* GetWktTypeName() const override { return "Geographical"; }
  bool HasAngularCoordinates() const override { return true; }

 private:
  double m_primeMeridian = 0.0;
};

#endif
