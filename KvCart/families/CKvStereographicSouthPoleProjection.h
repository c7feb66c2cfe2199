/* CKvStereographicSouthPoleProjection: the definition record of a polar
 * stereographic projection about the south pole defined by its latitude of
 * true scale (the Antarctic polar stereographic, the NSIDC sea-ice grid).
 *
 * Parameters: see CKvStereographicPoleDataFrame (latitude of true scale,
 * central meridian, false easting and northing). Section
 * "STEREOGRAPHIC_SOUTH_POLE_PROJECTION".
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

#include "KvCart/families/CKvStereographicPoleDataFrame.h"

class KVCART_API CKvStereographicSouthPoleProjectionIDs {
 public:
  static constexpr const char ID_PROJECTION_SECTION[] = "STEREOGRAPHIC_SOUTH_POLE_PROJECTION";
};

class KVCART_API CKvStereographicSouthPoleProjection
    : public CKvStereographicPoleDataFrame,
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

 protected:
  const char* GetWktTypeName() const override { return "Stereographic_South_Pole"; }
};

#endif
