/* CKvStereographicSouthPole: polar stereographic about the south pole by
 * the latitude of true scale (EPSG method 9829); see CKvStereographicPole
 * for units, range and accuracy.
 *
 * Usage:
 *   CKvStereographicSouthPole aps("Antarctic", -71, 0, 0, 0, wgs84);
 *   double x, y; aps.Geo2Proj(0.0, -80.0, &x, &y); */
#ifndef KVCART_FAMILIES_CKVSTEREOGRAPHICSOUTHPOLE_H
#define KVCART_FAMILIES_CKVSTEREOGRAPHICSOUTHPOLE_H

#include <string>

#include "KvCart/families/CKvStereographicPole.h"

class CKvStereographicSouthPoleProjection;

class KVCART_API CKvStereographicSouthPole : public CKvStereographicPole {
 public:
  explicit CKvStereographicSouthPole(const CKvStereographicSouthPoleProjection* record);
  // Angles in degrees: latitude of true scale, central meridian.
  CKvStereographicSouthPole(const std::string& name, double trueScaleLat, double centre,
                            double falseEasting, double falseNorthing,
                            const CKvEllipsoid& ellipsoid);
  CKvStereographicSouthPole(const CKvStereographicSouthPole&) = default;
  CKvStereographicSouthPole& operator=(const CKvStereographicSouthPole&) = default;
  ~CKvStereographicSouthPole() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;
};

#endif
