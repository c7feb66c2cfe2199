/* CKvStereographicProjection: the definition record of a stereographic
 * projection (the oblique double stereographic of the Netherlands, Romania,
 * New Brunswick, ..., or a polar aspect with a latitude of origin of +-90).
 *
 * Parameters: see CKvStereographicDataFrame (scale, central meridian,
 * latitude of origin, false easting and northing). Section
 * "STEREOGRAPHIC_PROJECTION".
 *
 * CreateProjection builds a CKvStereographic; null when the record names an
 * ellipsoid the database does not hold (or none).
 *
 * Usage:
 *   CKvStereographicProjection rd("RD New", "Amersfoort", "BR", 0.9999079,
 *                                 5.38763888888889, 52.15616055555555, 155000, 463000);
 *   CKvProjection* p = rd.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVSTEREOGRAPHICPROJECTION_H
#define KVCART_FAMILIES_CKVSTEREOGRAPHICPROJECTION_H

#include <string>

#include "KvCart/families/CKvStereographicDataFrame.h"

class KVCART_API CKvStereographicProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "STEREOGRAPHIC_PROJECTION";
};

class KVCART_API CKvStereographicProjection : public CKvStereographicDataFrame,
                                              public CKvStereographicProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvStereographicProjection();
  CKvStereographicProjection(const std::string& name, const std::string& branch,
                             const std::string& ellipsoidCode, double k0, double centre,
                             double originLatitude, double falseEasting, double falseNorthing,
                             bool canDelete = false, bool canEdit = false);
  CKvStereographicProjection(const CKvStereographicProjection&) = default;
  CKvStereographicProjection& operator=(const CKvStereographicProjection&) = default;
  ~CKvStereographicProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Stereographic"; }
  EProjectionType GetProjectionType() const override { return eStereographic; }

 protected:
  const char* GetWktTypeName() const override { return "Stereographic"; }
};

#endif
