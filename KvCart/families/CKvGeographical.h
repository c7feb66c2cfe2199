/* CKvGeographical: geographical longitude/latitude as "projected"
 * coordinates, counted from a prime meridian.
 *
 * Geo2Proj gives x = lon - prime meridian, y = lat (degrees, x as given, not
 * wrapped, so a grid across the antimeridian stays continuous); Proj2Geo
 * adds the prime meridian back and normalises the longitude into
 * [-180, 180). Origin (0, 0), convergence 0, default area the projections of
 * (-180, -60) and (180, 81). The ellipsoid is optional: GetAnonymousEllipsoid
 * answers true only when the object has one (a > 0).
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvGeographical paris("NTF (Paris)", 2.33722917, clarke1880);
 *   double x, y; paris.Geo2Proj(5.0, 48.0, &x, &y);  // x = 2.66277083 */
#ifndef KVCART_FAMILIES_CKVGEOGRAPHICAL_H
#define KVCART_FAMILIES_CKVGEOGRAPHICAL_H

#include <string>

#include "KvCart/families/CKvProjectionFrame.h"

class CKvGeographicalProjection;

class KVCART_API CKvGeographical : public CKvProjectionFrame {
 public:
  // From a definition record: its prime meridian, its ellipsoid by code.
  explicit CKvGeographical(const CKvGeographicalProjection* record);
  CKvGeographical(const std::string& name, double primeMeridian, const CKvEllipsoid& ellipsoid);
  CKvGeographical(const CKvGeographical&) = default;
  CKvGeographical& operator=(const CKvGeographical&) = default;
  ~CKvGeographical() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  void GetOrigin(double* lon, double* lat) const override;
  double GetConvergence(double lon, double lat) const override;
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  bool IsGeographical() const override { return true; }
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

  double GetPrimeMeridian() const { return m_primeMeridian; }

 private:
  double m_primeMeridian;
};

#endif
