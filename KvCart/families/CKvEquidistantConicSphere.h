/* CKvEquidistantConicSphere: the formula object of the equidistant conic on
 * a sphere of radius a (Snyder 16-1 to 16-10):
 *   n = (cos phi1 - cos phi2) / (phi2 - phi1) (sin phi1 for equal parallels),
 *   G = cos phi1 / n + phi1,  rho = a (G - phi),
 * inverse phi = G - rho / a. Exact both ways.
 *
 * Units: degrees and metres. Chosen by CKvEquidistantConic for a flattening
 * of 0; reports (a, 0) as its anonymous ellipsoid. */
#ifndef KVCART_FAMILIES_CKVEQUIDISTANTCONICSPHERE_H
#define KVCART_FAMILIES_CKVEQUIDISTANTCONICSPHERE_H

#include "KvCart/families/CKvProjFormula.h"

class KVCART_API CKvEquidistantConicSphere : public CKvProjFormula {
 public:
  explicit CKvEquidistantConicSphere(const Setup& setup);
  CKvEquidistantConicSphere(const CKvEquidistantConicSphere&) = default;
  ~CKvEquidistantConicSphere() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;

 private:
  double m_n = 0.0;
  double m_G = 0.0;
  double m_rho0 = 0.0;
};

#endif
