/* CKvAlbersEqualAreaSphere: the formula object of the Albers equal-area
 * conic on a sphere of radius a (Snyder 14-1 to 14-11):
 *   n = (sin phi1 + sin phi2) / 2,  C = cos^2 phi1 + 2 n sin phi1,
 *   rho = a sqrt(C - 2 n sin phi) / n,
 * inverse phi = asin((C - (rho n / a)^2) / (2 n)). Exact both ways.
 *
 * Units: degrees and metres. Chosen by CKvAlbersEqualArea for a flattening
 * of 0; reports (a, 0) as its anonymous ellipsoid. */
#ifndef KVCART_FAMILIES_CKVALBERSEQUALAREASPHERE_H
#define KVCART_FAMILIES_CKVALBERSEQUALAREASPHERE_H

#include "KvCart/families/CKvProjFormula.h"

class KVCART_API CKvAlbersEqualAreaSphere : public CKvProjFormula {
 public:
  explicit CKvAlbersEqualAreaSphere(const Setup& setup);
  CKvAlbersEqualAreaSphere(const CKvAlbersEqualAreaSphere&) = default;
  ~CKvAlbersEqualAreaSphere() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;

 private:
  double Radius(double phi) const;

  double m_n = 0.0;
  double m_C = 0.0;
  double m_rho0 = 0.0;
};

#endif
