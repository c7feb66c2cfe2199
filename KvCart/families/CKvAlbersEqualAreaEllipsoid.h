/* CKvAlbersEqualAreaEllipsoid: the formula object of the Albers equal-area
 * conic on the ellipsoid (EPSG Guidance Note 7-2, method 9822; Snyder 14-12
 * to 14-21). With q the authalic function (kvcart::AuthalicQ):
 *   n = (m1^2 - m2^2) / (q2 - q1) (sin phi1 for equal parallels),
 *   C = m1^2 + n q1,  rho = a sqrt(C - n q) / n;
 * the inverse takes the authalic latitude from q and the geodetic one from
 * its third-order series (no iteration).
 *
 * Units: degrees and metres. Accuracy: the forward formulas are exact; the
 * inverse series is good to about 1e-9 degrees on the earth's ellipsoids.
 * Chosen by CKvAlbersEqualArea for a flattening other than 0. */
#ifndef KVCART_FAMILIES_CKVALBERSEQUALAREAELLIPSOID_H
#define KVCART_FAMILIES_CKVALBERSEQUALAREAELLIPSOID_H

#include "KvCart/families/CKvProjFormula.h"

class KVCART_API CKvAlbersEqualAreaEllipsoid : public CKvProjFormula {
 public:
  explicit CKvAlbersEqualAreaEllipsoid(const Setup& setup);
  CKvAlbersEqualAreaEllipsoid(const CKvAlbersEqualAreaEllipsoid&) = default;
  ~CKvAlbersEqualAreaEllipsoid() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;

 private:
  double Radius(double phi) const;

  double m_n = 0.0;
  double m_C = 0.0;
  double m_rho0 = 0.0;
  double m_qPole = 0.0;       // q at the north pole
  double m_authalic[4] = {};  // authalic to geodetic latitude (3 used)
};

#endif
