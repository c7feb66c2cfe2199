/* CKvStereographicNorthPoleProjection: the definition record of a polar
 * stereographic projection about the north pole defined by its latitude of
 * true scale (the NSIDC sea-ice grid, the Arctic polar stereographic).
 *
 * Parameters: see CKvStereographicPoleDataFrame (latitude of true scale,
 * central meridian, false easting and northing). Section
 * "STEREOGRAPHIC_NORTH_POLE_PROJECTION".
 *
 * CreateProjection builds a CKvStereographicNorthPole; null when the record
 * names an ellipsoid the database does not hold (or none).
 *
 * Usage:
 *   CKvStereographicNorthPoleProjection nsidc("NSIDC North", "WGS 84", "WE", 70, -45, 0, 0);
 *   CKvProjection* p = nsidc.CreateProjection(); */
#ifndef KVCART_FAMILIES_CKVSTEREOGRAPHICNORTHPOLEPROJECTION_H
#define KVCART_FAMILIES_CKVSTEREOGRAPHICNORTHPOLEPROJECTION_H

#include <string>

#include "KvCart/families/CKvStereographicPoleDataFrame.h"

class KVCART_API CKvStereographicNorthPoleProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "STEREOGRAPHIC_NORTH_POLE_PROJECTION";
};

class KVCART_API CKvStereographicNorthPoleProjection
    : public CKvStereographicPoleDataFrame,
      public CKvStereographicNorthPoleProjectionIDs {
 public:
  // Empty strings, zero parameters, deletable and editable.
  CKvStereographicNorthPoleProjection();
  CKvStereographicNorthPoleProjection(const std::string& name, const std::string& branch,
                                      const std::string& ellipsoidCode, double parallel1,
                                      double centre, double falseEasting, double falseNorthing,
                                      bool canDelete = false, bool canEdit = false);
  CKvStereographicNorthPoleProjection(const CKvStereographicNorthPoleProjection&) = default;
  CKvStereographicNorthPoleProjection& operator=(const CKvStereographicNorthPoleProjection&) =
      default;
  ~CKvStereographicNorthPoleProjection() override;

  CKvProjection* CreateProjection() const override;
  std::string GetProjectionTypeTitle() const override { return "Stereographic north pole"; }
  EProjectionType GetProjectionType() const override { return eStereographicNorthPole; }

 protected:
  const char* GetWktTypeName() const override { return "Stereographic_North_Pole"; }
};

#endif
