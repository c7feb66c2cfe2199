/* CKvEquidistantConicEllipsoid: the formula object of the equidistant conic
 * on the ellipsoid (Snyder 16-11 to 16-20). With M the meridian arc (series
 * to e^6) and m the parallel radius, both in units of a:
 *   n = (m1 - m2) / (M2 - M1) (sin phi1 for equal parallels),
 *   G = m1 / n + M1,  rho = a (G - M(phi));
 * the inverse takes the rectifying latitude mu = M / c0 and the footpoint
 * latitude from its series in e1 (no iteration).
 *
 * Units: degrees and metres. Accuracy: the series of the meridian arc is
 * within 1 mm of the exact arc (0.96 mm at worst, near 71 degrees on WGS 84);
 * inverse(forward) returns the input to 1e-8 degrees.
 * Chosen by CKvEquidistantConic for a flattening other than 0. */
#ifndef KVCART_FAMILIES_CKVEQUIDISTANTCONICELLIPSOID_H
#define KVCART_FAMILIES_CKVEQUIDISTANTCONICELLIPSOID_H

#include "KvCart/families/CKvProjFormula.h"

class KVCART_API CKvEquidistantConicEllipsoid : public CKvProjFormula {
 public:
  explicit CKvEquidistantConicEllipsoid(const Setup& setup);
  CKvEquidistantConicEllipsoid(const CKvEquidistantConicEllipsoid&) = default;
  ~CKvEquidistantConicEllipsoid() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;

 private:
  double m_arc[4] = {};        // meridian arc series
  double m_footpoint[4] = {};  // rectifying to geodetic latitude
  double m_n = 0.0;
  double m_G = 0.0;
  double m_rho0 = 0.0;
};

#endif
