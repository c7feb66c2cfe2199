/* CKvPolarStereographic: polar stereographic in either of its definitions,
 * chosen by the latitude of origin, as the well-known text
 * "Polar_Stereographic" and the polar stereographic definition record give
 * it:
 *  - latitude of origin +90 or -90 (relative tolerance 1e-12): scale k0 at
 *    the pole (EPSG method 9810; UPS), a polar CKvStereographic;
 *  - any other latitude: the latitude of true scale about the pole of its
 *    hemisphere (EPSG method 9829; 0 counts as north), a
 *    CKvStereographicNorthPole or CKvStereographicSouthPole; k0 is ignored.
 * Every conversion is that inner object's (see those classes for range and
 * accuracy); this object adds its name and the well-known text of the
 * polar stereographic definition record.
 *
 * Parameters: scale k0, central meridian and latitude of origin (degrees),
 * false easting and northing (metres), the ellipsoid.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvPolarStereographic ups("UPS North", 0.994, 0, 90, 2000000, 2000000, wgs84);
 *   double x, y; ups.Geo2Proj(0.0, 85.0, &x, &y); */
#ifndef KVCART_FAMILIES_CKVPOLARSTEREOGRAPHIC_H
#define KVCART_FAMILIES_CKVPOLARSTEREOGRAPHIC_H

#include <memory>
#include <string>

#include "KvCart/families/CKvProjectionFrame.h"

class CKvPolarStereographicProjection;

class KVCART_API CKvPolarStereographic : public CKvProjectionFrame {
 public:
  explicit CKvPolarStereographic(const CKvPolarStereographicProjection* record);
  CKvPolarStereographic(const std::string& name, double k0, double centre, double originLat,
                        double falseEasting, double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvPolarStereographic(const CKvPolarStereographic& other);
  CKvPolarStereographic& operator=(const CKvPolarStereographic& other);
  ~CKvPolarStereographic() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  void GetOrigin(double* lon, double* lat) const override;
  double GetConvergence(double lon, double lat) const override;
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  bool IsLocal() const override;
  bool IsGeographical() const override;
  void GetDerivedParameters(double* values) const override;
  bool GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const override;
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

  // The object every conversion goes to.
  const CKvProjection& GetInner() const { return *m_inner; }

 private:
  void Initialise(double k0, double centre, double originLat, double falseEasting,
                  double falseNorthing);

  std::unique_ptr<CKvProjection> m_inner;
};

#endif
