/* CKvStereographicNorthPole: polar stereographic about the north pole by
 * the latitude of true scale (EPSG method 9829); see CKvStereographicPole
 * for units, range and accuracy.
 *
 * Usage:
 *   CKvStereographicNorthPole nsidc("NSIDC North", 70, -45, 0, 0, wgs84);
 *   double x, y; nsidc.Geo2Proj(0.0, 80.0, &x, &y); */
#ifndef KVCART_FAMILIES_CKVSTEREOGRAPHICNORTHPOLE_H
#define KVCART_FAMILIES_CKVSTEREOGRAPHICNORTHPOLE_H

#include <string>

#include "KvCart/families/CKvStereographicPole.h"

class CKvStereographicNorthPoleProjection;

class KVCART_API CKvStereographicNorthPole : public CKvStereographicPole {
 public:
  explicit CKvStereographicNorthPole(const CKvStereographicNorthPoleProjection* record);
  // Angles in degrees: latitude of true scale, central meridian.
  CKvStereographicNorthPole(const std::string& name, double trueScaleLat, double centre,
                            double falseEasting, double falseNorthing,
                            const CKvEllipsoid& ellipsoid);
  CKvStereographicNorthPole(const CKvStereographicNorthPole&) = default;
  CKvStereographicNorthPole& operator=(const CKvStereographicNorthPole&) = default;
  ~CKvStereographicNorthPole() override;

  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;
};

#endif
